#include "calib/GrafiekRecorder.h"

#include "app/ValueText.h"
#include "comm/LBComm.h"

#include <chrono>

namespace {

// The shortest reply that can hold a value: two letters, a blank, a digit and the line end.
constexpr size_t ShortestValueReply = 6;

} // namespace

void TLogBuffer::Clear() {
    Values.fill(0);
    Times.fill(0);
    Read.fill(false);
    Newest = -1;
    Count = 0;
    StartTick = 0;
}

int64_t MonotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TGrafiekRecorder::TGrafiekRecorder(TLBComm* port, std::function<int64_t()> clock)
    : FClock(std::move(clock)) {
    LD100LeesLogData.SetName("LD100LeesLogData");
    LD100LeesLogData.SetProtocolFoot(TSequenceChar::scCR);
    LD100LeesLogData.SetTimeoutTime(RequestTimeoutMs);
    LD100LeesLogData.SetLBComm(port);
    LD100LeesLogData.OnCommResult = [this](TLBProtocolComponent*, TMemoryStream& result) {
        LD100LeesLogDataCommResult(result);
    };
    LD100LeesLogData.OnCommError = [this](TLBProtocolComponent*, const TCommError& error,
                                          TMemoryStream&) { LD100LeesLogDataCommError(error); };
    // The port's closing switches every component off and drops the queue, request included.
    LD100LeesLogData.OnDeactivate = [this](TLBProtocolComponent*) {
        if (LD100LeesLogData.LBComm() && !LD100LeesLogData.LBComm()->Active())
            PortClosed();
    };
}

void TGrafiekRecorder::Start(int source) {
    Buffer.Clear();
    Buffer.Source = ValidLogSource(source);
    LD100LeesLogData.SetASCIIProtocol(LogSources[Buffer.Source].Command);
    FRecording = true;
    FEnd = TLogEnd::Running;
    FLastError = {};
    if (FRequestOut) {
        // The request of the stopped recording is still out and the component still cyclic:
        // its reply is dropped, and the next request already carries the new command.
        FDropReply = true;
        return;
    }
    LD100LeesLogData.SetCyclic(true);
    FRequestOut = LD100LeesLogData.Cyclic();
}

void TGrafiekRecorder::Stop() {
    if (!FRecording)
        return;
    FRecording = false;
    FEnd = TLogEnd::Stopped;
    if (FRequestOut)
        FDropReply = true;
    else
        LD100LeesLogData.SetCyclic(false);
}

void TGrafiekRecorder::LD100LeesLogDataCommResult(TMemoryStream& result) {
    bool drop = FDropReply;
    FDropReply = false;
    if (!FRecording) {
        // The last reply after a stop: the chain ends here.
        LD100LeesLogData.SetCyclic(false);
        FRequestOut = false;
        return;
    }
    if (drop)
        return;
    StoreSample(result);
    if (Buffer.Newest == LogLastSlot) {
        LD100LeesLogData.SetCyclic(false);
        FRequestOut = false;
        EndRecording(TLogEnd::Full);
    }
    if (OnSample)
        OnSample();
}

void TGrafiekRecorder::LD100LeesLogDataCommError(const TCommError& error) {
    // The component also reports the return to success after an error; that is no failure.
    if (error.IsZero())
        return;
    LD100LeesLogData.SetCyclic(false);
    FRequestOut = false;
    FDropReply = false;
    if (!FRecording)
        return;
    FLastError = error;
    if (error.Code == CommCode::Timeout)
        EndRecording(TLogEnd::Timeout);
    else if (error.SystemError != 0 || error.LineErrors != 0)
        EndRecording(TLogEnd::CommError);
    else
        EndRecording(TLogEnd::Other);
}

void TGrafiekRecorder::StoreSample(const TMemoryStream& result) {
    if (Buffer.Newest < LogLastSlot)
        ++Buffer.Newest;
    const int slot = Buffer.Newest;
    Buffer.Count = slot + 1;
    const int64_t now = FClock();
    if (slot == 0) {
        Buffer.StartTick = now;
        Buffer.Times[0] = 0;
    } else {
        Buffer.Times[slot] = static_cast<int32_t>(now - Buffer.StartTick);
    }
    if (result.Size() < ShortestValueReply)
        return;
    int32_t value = 0;
    std::optional<QString> text =
        ReadAnswerValueText(result, LD100LeesLogData.ASCIIProtocol(), ReplyLimit);
    if (text && ValueTextToInt(*text, value)) {
        Buffer.Values[slot] = value;
        Buffer.Read[slot] = true;
    }
}

void TGrafiekRecorder::EndRecording(TLogEnd end) {
    FRecording = false;
    FEnd = end;
    if (OnEnd)
        OnEnd(end);
}

void TGrafiekRecorder::PortClosed() {
    FRequestOut = false;
    FDropReply = false;
    if (FRecording) {
        FLastError = {CommCode::PortClosed, 0, 0};
        EndRecording(TLogEnd::Other);
    }
}
