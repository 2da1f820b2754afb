#include "fuzz/FuzzLine.h"

#include "comm/UiHandover.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzTarget.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>

void TLineScript::TakeFault(TFuzzReader& input) {
    uint8_t kind = input.Byte();
    FaultAt = input.Byte();
    // Most inputs run on a sound line, so the state machines get deep as well as wide.
    Fault =
        kind < 0x80 ? TLineFault::None : static_cast<TLineFault>(1 + kind % (LineFaultCount - 1));
    const uint32_t bits[] = {CE_RXOVER, CE_OVERRUN, CE_RXPARITY, CE_FRAME, CE_BREAK};
    LineErrors = 0;
    for (int i = 0; i < 5; ++i)
        if (kind & (1 << i))
            LineErrors |= bits[i];
    if (LineErrors == 0)
        LineErrors = CE_FRAME;
}

// Hand-overs run on the worker itself while the UI thread waits. The UI thread is woken only when
// what it waits for has happened, not at every hand-over, so a reply costs no thread switch per
// byte.
class TFuzzLine::THandover : public TUiHandover {
public:
    void Synchronize(const std::function<void()>& fn) override {
        fn();
        std::lock_guard lock(FMutex);
        if (++FCalls >= FWakeAt)
            FChanged.notify_all();
    }
    void ProcessMessages(int waitMs) override {
        std::unique_lock lock(FMutex);
        FWakeAt = FCalls + 1;
        auto ready = [&] { return FCalls >= FWakeAt || FWoken; };
        if (waitMs < 0)
            FChanged.wait(lock, ready);
        else
            FChanged.wait_for(lock, std::chrono::milliseconds(waitMs), ready);
        FWoken = false;
        FWakeAt = Never;
    }
    void Wake() override {
        std::lock_guard lock(FMutex);
        FWoken = true;
        FChanged.notify_all();
    }
    // Worker, from a component's event: the request is complete once this hand-over and the
    // next one (the port moving its queue on) have run.
    void CompleteAfterNext() {
        std::lock_guard lock(FMutex);
        FWakeAt = FCalls + 2;
    }
    // UI thread: waits for that; false after `timeout`.
    bool WaitForCompletion(std::chrono::milliseconds timeout) {
        std::unique_lock lock(FMutex);
        bool completed = FChanged.wait_for(lock, timeout, [&] { return FCalls >= FWakeAt; });
        FWakeAt = Never;
        return completed;
    }

private:
    static constexpr uint64_t Never = std::numeric_limits<uint64_t>::max();
    std::mutex FMutex;
    std::condition_variable FChanged;
    uint64_t FCalls = 0;
    uint64_t FWakeAt = Never;
    bool FWoken = false;
};

class TFuzzLine::TDevice : public TSerialDevice {
public:
    void Load(const TLineScript& script) {
        std::lock_guard lock(FMutex);
        FScript = script;
        FPos = 0;
        FWrites = 0;
        FReadFaultDone = false;
        FPendingErrors = 0;
        FWritten.clear();
    }
    std::vector<std::vector<uint8_t>> Written() {
        std::lock_guard lock(FMutex);
        return FWritten;
    }
    size_t Consumed() {
        std::lock_guard lock(FMutex);
        return FPos;
    }

    int CreateFile(const std::string&) override {
        std::lock_guard lock(FMutex);
        FCancelled = false;
        return 0;
    }
    int SetupComm(uint32_t, uint32_t) override { return 0; }
    int GetCommState(TDcb& dcb) override {
        std::lock_guard lock(FMutex);
        dcb = FDcb;
        return 0;
    }
    int SetCommState(const TDcb& dcb) override {
        std::lock_guard lock(FMutex);
        FDcb = dcb;
        return 0;
    }
    int GetCommTimeouts(TCommTimeouts& timeouts) override {
        std::lock_guard lock(FMutex);
        timeouts = FTimeouts;
        return 0;
    }
    int SetCommTimeouts(const TCommTimeouts& timeouts) override {
        std::lock_guard lock(FMutex);
        FTimeouts = timeouts;
        return 0;
    }
    // The script is the answer to what the worker writes, so a purge before a request keeps it.
    int PurgeComm(uint32_t) override { return 0; }
    int ReadFile(uint8_t* buffer, uint32_t count, uint32_t& read) override {
        std::lock_guard lock(FMutex);
        read = 0;
        if (FCancelled || (FScript.Fault == TLineFault::Vanish && FPos >= FScript.FaultAt))
            return ERROR_OPERATION_ABORTED;
        if (FScript.Fault == TLineFault::ReadError && FPos == FScript.FaultAt && !FReadFaultDone) {
            FReadFaultDone = true;
            return EIO;
        }
        size_t n = std::min<size_t>(count, FScript.Bytes.size() - FPos);
        std::copy_n(FScript.Bytes.begin() + static_cast<std::ptrdiff_t>(FPos), n, buffer);
        if (FScript.Fault == TLineFault::LineError && FScript.FaultAt >= FPos &&
            FScript.FaultAt < FPos + n)
            FPendingErrors = FScript.LineErrors;
        FPos += n;
        read = static_cast<uint32_t>(n);
        return 0;
    }
    int WriteFile(const uint8_t* buffer, uint32_t count, uint32_t& written) override {
        std::lock_guard lock(FMutex);
        written = 0;
        if (FScript.Fault == TLineFault::WriteError && FWrites++ == FScript.FaultAt)
            return EIO;
        FWritten.emplace_back(buffer, buffer + count);
        written = count;
        return 0;
    }
    int FlushFileBuffers() override { return 0; }
    int ClearCommError(uint32_t& errors) override {
        std::lock_guard lock(FMutex);
        errors = FPendingErrors;
        FPendingErrors = 0;
        return 0;
    }
    int CloseHandle() override { return 0; }
    void CancelIo() override {
        std::lock_guard lock(FMutex);
        FCancelled = true;
    }

private:
    std::mutex FMutex;
    TLineScript FScript;
    size_t FPos = 0;
    size_t FWrites = 0;
    bool FReadFaultDone = false;
    uint32_t FPendingErrors = 0;
    bool FCancelled = false;
    std::vector<std::vector<uint8_t>> FWritten;
    TDcb FDcb;
    TCommTimeouts FTimeouts;
};

TFuzzLine& TFuzzLine::Instance() {
    static TFuzzLine line;
    return line;
}

TFuzzLine::TFuzzLine()
    : FHandover(std::make_unique<THandover>()), FDevice(std::make_shared<TDevice>()) {
    SetUiHandover(FHandover.get());
    FPort = std::make_unique<TLBComm>([device = FDevice] { return device; });
    FPort->Open();
}

TFuzzLine::~TFuzzLine() {
    FPort.reset();
    SetUiHandover(nullptr);
}

TExchange TFuzzLine::Exchange(TLBProtocolComponent& component, const TLineScript& script) {
    // A vanished device stops the port's use until it is opened again, as the user does after
    // the message; the next input starts on an open port.
    if (FPort->DeviceLost()) {
        FPort->Close();
        FPort->Open();
    }
    FDevice->Load(script);
    TExchange outcome;
    component.OnCommResult = [&](TLBProtocolComponent*, TMemoryStream& result) {
        ++outcome.Results;
        outcome.Result = result.Bytes();
        FHandover->CompleteAfterNext();
    };
    component.OnCommError = [&](TLBProtocolComponent*, const TCommError& error,
                                TMemoryStream& result) {
        ++outcome.Errors;
        outcome.Error = error;
        outcome.Result = result.Bytes();
        FHandover->CompleteAfterNext();
    };
    component.Send();
    // A request that never completes is a hang of the worker.
    FUZZ_CHECK(FHandover->WaitForCompletion(std::chrono::seconds(20)));
    component.OnCommResult = nullptr;
    component.OnCommError = nullptr;
    outcome.Written = FDevice->Written();
    outcome.Consumed = FDevice->Consumed();
    FUZZ_CHECK(FPort->QueueLength() == 0);
    // A vanished device ends the request with its error, and only that stops the port's use.
    FUZZ_CHECK(FPort->DeviceLost() ==
               (outcome.Errors > 0 && outcome.Error.SystemError == ERROR_OPERATION_ABORTED));
    return outcome;
}
