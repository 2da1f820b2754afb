#include "comm/LBCommThread.h"

#include "comm/LB2Protocol.h"
#include "comm/LBComm.h"
#include "comm/LD100Protocol.h"
#include "comm/SSBProtocol.h"
#include "comm/UiHandover.h"

#include <cstring>

namespace {
constexpr int ByteGapMs = 50; // silence that ends a reply, and the gap allowed between bytes
constexpr int DefaultTimeoutMs = 100;
constexpr int MaxAttempts = 3;
constexpr int MaxDiscarded = 512;
} // namespace

TLBCommThread::TLBCommThread(TLBComm* port, std::shared_ptr<TSerialDevice> device)
    : FPort(port), FDevice(std::move(device)) {}

TLBCommThread::~TLBCommThread() {
    if (FThread.joinable())
        FThread.detach();
}

void TLBCommThread::Start() {
    auto self = shared_from_this();
    FThread = std::thread([self] { self->Execute(); });
}

void TLBCommThread::SetRequest(TCommRequest* request) {
    {
        std::lock_guard lock(FMutex);
        FRequestPresent = false;
    }
    FSender = nullptr;
    FRequestDone = nullptr;
    FDataReceived = nullptr;
    if (!request)
        return;
    FSender = request->Sender;
    FKind = TProtocolKind::Unknown;
    FStartChar = FStopChar = 0;
    FFiltered = FFilterStop = FLineEndStop = false;
    if (auto* ld100 = dynamic_cast<TLD100Protocol*>(FSender)) {
        FKind = TProtocolKind::LD100;
        FStartChar = static_cast<uint8_t>(ld100->ReceiveStart());
        FStopChar = static_cast<uint8_t>(ld100->ReceiveStop());
        FFiltered = FFilterStop = ld100->Filtered();
        // Every reply ends with CR LF: its LF ends it at once. The LF stays in the data, so the
        // reply is the same as after the silence; a reply without the LF still ends by silence.
        if (FStopChar == 0 && FPort->ReplyEndsAtLineEnd() && ld100->LineEndEndsReply()) {
            FStopChar = static_cast<uint8_t>(TSequenceChar::scLF);
            FFilterStop = false;
            FLineEndStop = true;
        }
    } else if (dynamic_cast<TLB2Protocol*>(FSender)) {
        FKind = TProtocolKind::LB2;
    } else if (dynamic_cast<TSSBProtocol*>(FSender)) {
        FKind = TProtocolKind::SSB;
    }
    FFrame.fill(0);
    std::memcpy(FFrame.data(), request->Frame.data(), request->Frame[0]);
    FTimeout = request->Timeout > 0 ? request->Timeout : DefaultTimeoutMs;
    FRequestDone = request->RequestDone;
    FDataReceived = request->DataReceived;
    FLog = FPort->Log();
    if (FLog)
        FSenderName = FSender ? FSender->Name() : std::string();
    {
        std::lock_guard lock(FMutex);
        FRequestPresent = true;
    }
    FWake.notify_all();
}

void TLBCommThread::Terminate() {
    FPortOpen = false;
    FTerminated = true;
    if (FDevice)
        FDevice->CancelIo();
    std::lock_guard lock(FMutex);
    FWake.notify_all();
}

void TLBCommThread::Join() {
    if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id())
        FThread.join();
}

void TLBCommThread::Detach() {
    if (FThread.joinable())
        FThread.detach();
}

void TLBCommThread::ForgetSender(const TLBProtocolComponent* sender) {
    if (FSender != sender)
        return;
    FSender = nullptr;
    FRequestDone = nullptr;
    FDataReceived = nullptr;
}

void TLBCommThread::Execute() {
    bool exitFlag = FTerminated;
    while (!exitFlag) {
        {
            std::unique_lock lock(FMutex);
            FWake.wait(lock, [&] { return FRequestPresent || FTerminated.load(); });
        }
        if (FTerminated)
            break;
        if (FLog) {
            FStartTime = std::chrono::system_clock::now();
            FStartTick = std::chrono::steady_clock::now();
        }
        switch (FKind) {
        case TProtocolKind::LD100:
            exitFlag = RunLD100();
            break;
        case TProtocolKind::LB2:
            exitFlag = RunLB2();
            break;
        case TProtocolKind::SSB:
            exitFlag = RunSSB();
            break;
        case TProtocolKind::Unknown:
            exitFlag = ExchangeUnknown();
            break;
        }
        if (exitFlag)
            break;
        if (FLog)
            RecordExchange();
        {
            std::lock_guard lock(FMutex);
            FRequestPresent = false;
        }
        HandRequestDone();
        if (FTerminated)
            break;
        HandNextRequest();
    }
    FFinished = true;
    UiHandover().Wake();
}

void TLBCommThread::RecordExchange() {
    TCommLogEntry entry;
    entry.Time = FStartTime;
    entry.Component = FSenderName;
    if (FFrame[0] > 1)
        entry.Command.assign(FFrame.begin() + 1, FFrame.begin() + FFrame[0]);
    entry.Reply = std::move(FReceived);
    entry.ReplyCut = FReceivedCut;
    entry.Error = FError;
    entry.DurationMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - FStartTick)
            .count();
    FLog->Add(std::move(entry));
    FReceived.clear();
    FReceivedCut = false;
}

bool TLBCommThread::ExchangeUnknown() {
    FError = TCommError{CommCode::UnknownProtocol, 0, 0};
    FLineBuffer.fill(0);
    return FTerminated;
}

void TLBCommThread::Handover(const std::function<void()>& fn) {
    auto self = shared_from_this();
    UiHandover().Synchronize([self, &fn] {
        // The depth must come down even when a handler throws to the program's error report.
        struct TDepth {
            int& Depth;
            ~TDepth() { --Depth; }
        } depth{++self->FHandoverDepth};
        fn();
    });
}

void TLBCommThread::HandDataReceived() {
    Handover([this] {
        if (!FSender || !FDataReceived)
            return;
        auto handler = FDataReceived; // the handler may destroy its component
        handler(FLineBuffer, FFrame, FRestart);
    });
}

void TLBCommThread::HandRequestDone() {
    Handover([this] {
        if (!FSender || !FRequestDone)
            return;
        auto handler = FRequestDone;
        handler(FError, FLineBuffer);
    });
}

void TLBCommThread::HandNextRequest() {
    // The device layer reports a vanished device as an aborted operation; closing the port does
    // too, but then the worker has been terminated and never gets here.
    bool lost = FError.SystemError == ERROR_OPERATION_ABORTED;
    Handover([this, lost] {
        if (FPort->Destroying())
            return;
        if (lost)
            FPort->LoseDevice(FError);
        else
            FPort->NextRequest();
    });
}

// A device call's result followed by the line-error check that follows every step.
bool TLBCommThread::Check(int callResult) {
    if (callResult != 0) {
        FError.Code = CommCode::SystemCall;
        FError.SystemError = callResult;
        return false;
    }
    uint32_t mask = 0;
    int result = FDevice->ClearCommError(mask);
    if (result != 0) {
        FError.Code = CommCode::SystemCall;
        FError.SystemError = result;
        return false;
    }
    if (mask != 0) {
        FError.Code = CommCode::LineError;
        FError.LineErrors = static_cast<int32_t>(mask);
        return false;
    }
    return true;
}

void TLBCommThread::TransmitFrame() {
    // The log shows the bytes of the last attempt.
    FReceived.clear();
    FReceivedCut = false;
    if (!PortOpen()) {
        FError.Code = CommCode::PortClosed;
        return;
    }
    if (!Check(FDevice->GetCommTimeouts(FTimeouts)))
        return;
    FTimeouts.ReadIntervalTimeout = MAXDWORD;
    FTimeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    FTimeouts.ReadTotalTimeoutConstant = 0;
    FTimeouts.WriteTotalTimeoutMultiplier = 0;
    FTimeouts.WriteTotalTimeoutConstant = 0;
    FReadTimeout = FTimeout;
    if (!Check(FDevice->SetCommTimeouts(FTimeouts)))
        return;
    if (!Check(FDevice->PurgeComm(PURGE_TXCLEAR | PURGE_RXCLEAR)))
        return;
    WriteBytes(FTransmit.data(), static_cast<uint32_t>(FTransmit.size()));
}

bool TLBCommThread::WriteBytes(const uint8_t* data, uint32_t count) {
    uint32_t written = 0;
    if (!Check(FDevice->WriteFile(data, count, written)))
        return false;
    return Check(FDevice->FlushFileBuffers());
}

void TLBCommThread::ReadByte() {
    if (!PortOpen()) {
        FError.Code = CommCode::PortClosed;
        return;
    }
    FTimeouts.ReadTotalTimeoutConstant = static_cast<uint32_t>(FReadTimeout);
    if (!Check(FDevice->SetCommTimeouts(FTimeouts)))
        return;
    uint32_t read = 0;
    int result = FDevice->ReadFile(&FByte, 1, read);
    if (result != 0) {
        FError.Code = CommCode::SystemCall;
        FError.SystemError = result;
        return;
    }
    if (read == 0) {
        FError.Code = CommCode::Timeout;
        return;
    }
    if (FLog) {
        if (FReceived.size() < TCommLog::ReplyKept)
            FReceived += static_cast<char>(FByte);
        else
            FReceivedCut = true;
    }
    if (Check(0))
        FReadTimeout = ByteGapMs;
}

void TLBCommThread::DiscardInput() {
    TCommError saved = FError;
    FReadTimeout = ByteGapMs;
    for (int discarded = 0; discarded < MaxDiscarded && !FTerminated; ++discarded) {
        FError = TCommError{};
        ReadByte();
        if (FError.Code == CommCode::Timeout || FError.Code == CommCode::PortClosed ||
            FError.Code == CommCode::SystemCall)
            break;
    }
    FError = saved;
}

bool TLBCommThread::FrameReady() {
    FError = TCommError{};
    if (!PortOpen())
        FError.Code = CommCode::PortClosed;
    else if (FFrame[0] == 0)
        FError.Code = CommCode::EmptyFrame;
    return FError.Code == 0;
}

bool TLBCommThread::RunLD100() {
    FRestart = false;
    int attempts = 0;
    while (attempts < MaxAttempts) {
        if (!FrameReady())
            return FTerminated;
        FLineBuffer.fill(0);
        FTransmit.assign(FFrame.begin() + 1, FFrame.begin() + FFrame[0]);

        TransmitFrame();
        if (FError.Code == CommCode::PortClosed)
            return FTerminated;
        if (FError.Code != 0) {
            ++attempts;
            continue;
        }

        FReceiveState = 1;
        FIndex = 0;
        FLineBuffer[0] = 0;
        int received = 0;
        while (!FTerminated) {
            ReadByte();
            if (FError.Code == CommCode::PortClosed)
                return FTerminated;
            if (FError.Code == CommCode::Timeout && FReceiveState != 1) {
                FError.Code = 0;
                return FTerminated;
            }
            if (FError.Code != 0)
                break;
            if (++received > LD100ReplyLimit) {
                FError.Code = CommCode::ReplyTooLong;
                break;
            }
            FLineBuffer[1 + FIndex] = FByte;
            ++FIndex;
            ++FLineBuffer[0];
            if (FReceiveState == 1 && FStartChar != 0) {
                if (FFiltered) {
                    --FIndex;
                    --FLineBuffer[0];
                }
                if (FByte != FStartChar) {
                    FError.Code = CommCode::StartChar;
                    break;
                }
            } else if (FStopChar != 0 && FByte == FStopChar) {
                if (FFilterStop) {
                    --FIndex;
                    --FLineBuffer[0];
                } else {
                    HandDataReceived();
                }
                FIndex = 0;
                FLineBuffer[0] = 0;
                return FTerminated;
            }
            FReceiveState = 2;
            HandDataReceived();
            FIndex = 0;
            FLineBuffer[0] = 0;
        }

        // A reply that never ends is not tried again: it would only hold the queue up again.
        if (FError.Code == CommCode::ErrorAnswer || FError.Code == CommCode::ReplyTooLong)
            return FTerminated;
        if (FError.Code != 0 && FError.Code != CommCode::Timeout) {
            DiscardInput();
            if (FTerminated || FError.Code == CommCode::PortClosed)
                return FTerminated;
        }
        if (FTerminated)
            return true;
        if (FError.Code != 0) {
            FRestart = true;
            ++attempts;
            if (FError.Code == CommCode::Timeout) {
                // A reply that comes just after its time-out would otherwise end the next
                // exchange at its LF, and every later reply would be taken for the request
                // after its own. Waiting for the silence here keeps the replies in step.
                if (FLineEndStop)
                    DiscardInput();
                return FTerminated;
            }
        }
    }
    return FTerminated;
}
