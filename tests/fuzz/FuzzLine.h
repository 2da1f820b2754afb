#pragma once
// A port of the serial-line library on a scripted line, for fuzzing the worker's receive state
// machines: the bytes of an input arrive at once, one per read, silence follows the last one,
// and chosen device calls fail. The worker thread is the real one; its hand-overs run inline
// (the UI thread waits meanwhile), so an exchange costs no timer and no event loop.

#include "comm/LBComm.h"
#include "comm/LBComponent.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TFuzzReader;

enum class TLineFault : uint8_t {
    None,
    LineError,  // a line error is reported after the byte at FaultAt
    ReadError,  // the read of the byte at FaultAt fails once (EIO)
    Vanish,     // from the byte at FaultAt on, every read fails as on a vanished device
    WriteError, // the write number FaultAt fails (EIO)
};
constexpr int LineFaultCount = 5;

struct TLineScript {
    std::vector<uint8_t> Bytes;
    TLineFault Fault = TLineFault::None;
    size_t FaultAt = 0;
    uint32_t LineErrors = 0;

    // A fault from two control bytes of the input: its kind and where it strikes.
    void TakeFault(TFuzzReader& input);
};

// What one request came to.
struct TExchange {
    int Results = 0;
    int Errors = 0;
    TCommError Error;
    std::vector<uint8_t> Result; // the result stream of the event
    std::vector<std::vector<uint8_t>> Written;
    size_t Consumed = 0; // bytes of the script read
};

class TFuzzLine {
public:
    // The program-wide line, opened on first use; its port lives until the program ends.
    static TFuzzLine& Instance();

    TLBComm& Port() { return *FPort; }
    // Sends the component's request (the component must be bound to Port) on a line that
    // answers with `script`, and returns once the request has completed and the port's queue
    // has moved on.
    TExchange Exchange(TLBProtocolComponent& component, const TLineScript& script);

    TFuzzLine(const TFuzzLine&) = delete;
    TFuzzLine& operator=(const TFuzzLine&) = delete;
    ~TFuzzLine();

private:
    class THandover;
    class TDevice;
    TFuzzLine();

    std::unique_ptr<THandover> FHandover;
    std::shared_ptr<TDevice> FDevice;
    std::unique_ptr<TLBComm> FPort;
};
