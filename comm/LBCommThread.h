#pragma once
// The worker thread of an open port. It performs one request at a time: writes the request's
// frame, receives the reply byte by byte with time-outs, and hands the received bytes, the
// outcome and the advance of the queue to the UI thread, waiting each time until the UI thread
// has run the hand-over. It suspends itself while it has nothing to do.

#include "comm/CommLog.h"
#include "comm/CommTypes.h"
#include "comm/LBComponent.h"
#include "comm/SerialDevice.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class TLBComm;

enum class TProtocolKind { Unknown, LD100, LB2, SSB };

class TLBCommThread : public std::enable_shared_from_this<TLBCommThread> {
public:
    // Created for an open port; call Start once it is owned by a shared_ptr.
    TLBCommThread(TLBComm* port, std::shared_ptr<TSerialDevice> device);
    ~TLBCommThread();
    void Start();

    // UI thread, only while the worker is idle: takes over the request (null: none).
    void SetRequest(TCommRequest* request);
    // UI thread: asks the worker to end; a waiting read is cancelled.
    void Terminate();
    bool Terminated() const { return FTerminated.load(); }
    // True once the worker has left its loop.
    bool Finished() const { return FFinished.load(); }
    // UI thread: waits for the worker's end (after Finished) or lets it end on its own.
    void Join();
    void Detach();
    // UI thread: true while one of this worker's hand-overs runs on the UI thread.
    bool InHandover() const { return FHandoverDepth > 0; }
    // UI thread: the request in progress no longer calls `sender` (it still completes).
    void ForgetSender(const TLBProtocolComponent* sender);
    const TLBProtocolComponent* Sender() const { return FSender; }

private:
    void Execute();
    bool RunLD100();
    bool RunLB2();
    bool RunSSB();
    bool ExchangeUnknown();

    // Clears the error record; false with its code when the port closed or the frame is empty.
    bool FrameReady();
    void TransmitFrame();
    void ReadByte();
    void DiscardInput();
    bool Check(int callResult);
    bool WriteBytes(const uint8_t* data, uint32_t count);
    void SendAbortFrame(uint8_t marker);
    void HandDataReceived();
    void HandRequestDone();
    void HandNextRequest();
    // The log entry of the exchange that has just ended.
    void RecordExchange();
    void Handover(const std::function<void()>& fn);
    bool PortOpen() const { return !FTerminated.load() && FPortOpen.load(); }

    // Binary receive state machines; each returns when the reply ended or failed.
    void ReceiveLB2();
    void ReceiveSSB();
    void BuildLB2Transmit();
    void BuildSSBTransmit();

    TLBComm* FPort;
    std::shared_ptr<TSerialDevice> FDevice;
    std::thread FThread;

    // Request, set by SetRequest while the worker is idle.
    TFrameBuffer FFrame{};
    int FTimeout = 100;
    TProtocolKind FKind = TProtocolKind::Unknown;
    uint8_t FStartChar = 0, FStopChar = 0;
    bool FFiltered = false;
    // Whether the stop character is dropped from the data: the component's Filtered for its
    // own stop character, never for the port's line end.
    bool FFilterStop = false;
    // Whether the stop character is the port's line end rather than the component's own.
    bool FLineEndStop = false;
    std::shared_ptr<TCommLog> FLog;
    std::string FSenderName;
    // UI-thread side of the request: touched only on the UI thread.
    TLBProtocolComponent* FSender = nullptr;
    std::function<void(const TCommError&, const TFrameBuffer&)> FRequestDone;
    std::function<void(TFrameBuffer, TFrameBuffer, bool&)> FDataReceived;
    int FHandoverDepth = 0;

    // Worker state; the UI thread reads it only inside a hand-over.
    TFrameBuffer FLineBuffer{};
    std::vector<uint8_t> FTransmit;
    TCommError FError;
    TCommTimeouts FTimeouts;
    int FReadTimeout = 100;
    uint8_t FReceiveState = 1;
    uint8_t FChecksum = 0;
    int FExpectedLength = 0;
    int FIndex = 0;
    uint8_t FByte = 0;
    bool FRestart = false;
    // For the log: the bytes read in the current attempt, and when the exchange began.
    std::string FReceived;
    bool FReceivedCut = false;
    std::chrono::system_clock::time_point FStartTime;
    std::chrono::steady_clock::time_point FStartTick;

    std::mutex FMutex;
    std::condition_variable FWake;
    bool FRequestPresent = false;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FPortOpen{true};
};
