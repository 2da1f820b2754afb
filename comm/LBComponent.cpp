#include "comm/LBComponent.h"

#include "comm/LBComm.h"
#include "comm/LBCommThread.h"

#include <algorithm>

TLBComponent::~TLBComponent() {
    FDestroying = true;
    SetLBComm(nullptr);
}

void TLBComponent::SetLBComm(TLBComm* port) {
    if (FLBComm) {
        auto& list = FLBComm->FComponents;
        auto it = std::find(list.begin(), list.end(), this);
        if (it != list.end()) {
            FListIndex = static_cast<int>(it - list.begin());
            list.erase(it);
        }
    }
    FLBComm = port;
    if (FLBComm)
        FLBComm->FComponents.push_back(this);
}

TLBProtocolComponent::TLBProtocolComponent() {
    FRequest.Sender = this;
}

TLBProtocolComponent::~TLBProtocolComponent() {
    FDestroying = true;
    if (FLBComm) {
        if (TLBCommThread* thread = FLBComm->Thread())
            thread->ForgetSender(this);
        // Entries still waiting in the queue would run for a component that no longer exists.
        FLBComm->RemoveQueuedRequestsOf(&FRequest);
    }
    SetLBComm(nullptr);
}

bool TLBProtocolComponent::PortOpen() const { return FLBComm && FLBComm->Active(); }

void TLBProtocolComponent::FireActivate() {
    if (!FDestroying && OnActivate)
        OnActivate(this);
}

void TLBProtocolComponent::FireDeactivate() {
    if (!FDestroying && OnDeactivate)
        OnDeactivate(this);
}

void TLBProtocolComponent::SetCyclic(bool value) {
    if (value && PortOpen()) {
        FCyclic = true;
        FireActivate();
        Send();
        return;
    }
    FCyclic = false;
    FireDeactivate();
}

void TLBProtocolComponent::SetFrameByte(int position, uint8_t value) {
    if (position >= 0 && position < static_cast<int>(FFrame.size()))
        FFrame[position] = value;
}

void TLBProtocolComponent::Send() {
    if (!PortOpen())
        return;
    FResult.Clear();
    FRequest.Sender = this;
    FRequest.Frame = FFrame;
    FRequest.Timeout = FTimeoutTime;
    FRequest.RequestDone = [this](const TCommError& error, const TFrameBuffer& buffer) {
        RequestDone(error, buffer);
    };
    FRequest.DataReceived = [this](TFrameBuffer buffer, TFrameBuffer frame, bool& restart) {
        DataReceived(buffer, frame, restart);
    };
    FLBComm->QueueRequest(&FRequest);
}

void TLBProtocolComponent::RequestDone(const TCommError& commError,
                                       const TFrameBuffer& receiveBuffer) {
    if (!PortOpen())
        return;
    FCurrentError = commError;
    int count = receiveBuffer[0];
    auto appendBuffer = [&] {
        if (count > 0)
            FResult.Write(receiveBuffer.data(), static_cast<size_t>(count));
        FResult.SetPosition(0);
    };
    if (FCurrentError.IsZero()) {
        appendBuffer();
        if (!FDestroying && OnCommResult)
            OnCommResult(this, FResult);
    }
    if (!(FCurrentError == FLastError)) {
        FLastError = FCurrentError;
        FResult.Clear();
        appendBuffer();
        if (!FDestroying && OnCommError)
            OnCommError(this, FCurrentError, FResult);
    }
    if (FCyclic)
        Send();
    else
        FLastError = TCommError{};
}

void TLBProtocolComponent::DataReceived(TFrameBuffer, TFrameBuffer, bool& restart) {
    restart = false;
}
