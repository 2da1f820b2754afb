#include "comm/LBComponent.h"

#include "comm/LBComm.h"
#include "comm/LBCommThread.h"

#include <algorithm>
#include <exception>

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
        // Switched off and on again before the last request came back: its completion re-sends,
        // so sending now as well would start a second chain beside the first.
        bool resumes = !FCyclic && FOutstanding > 0;
        FCyclic = true;
        FireActivate();
        if (!resumes)
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

void TLBProtocolComponent::ForgetRequests() {
    FOutstanding = 0;
    ++FQueueEpoch;
}

void TLBProtocolComponent::Send() {
    if (!PortOpen())
        return;
    // While an earlier request of this component is pending, its reply may be arriving in the
    // stream right now; each completion empties it for the next exchange. With none pending,
    // whatever is left (an exchange cut off by closing the port) must go.
    if (FOutstanding == 0)
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
    if (FLBComm->QueueRequest(&FRequest) >= 0)
        ++FOutstanding;
}

void TLBProtocolComponent::RequestDone(const TCommError& commError,
                                       const TFrameBuffer& receiveBuffer) {
    // The request counts as pending until its events have run, so that a handler's Send or
    // Cyclic of this component neither clears this reply nor starts a second chain.
    // A handler that closes the port (and perhaps reopens it and sends) has already had the
    // count reset; this completion must then not take back a newer request's count.
    auto completed = [this, epoch = FQueueEpoch] {
        if (epoch != FQueueEpoch)
            return;
        FResult.Clear();
        if (FOutstanding > 0)
            --FOutstanding;
    };
    if (!PortOpen()) {
        completed();
        return;
    }
    FCurrentError = commError;
    int count = receiveBuffer[0];
    auto appendBuffer = [&] {
        if (count > 0)
            FResult.Write(receiveBuffer.data(), static_cast<size_t>(count));
        FResult.SetPosition(0);
    };
    // A throwing handler must not end the cycle or leave this exchange's bytes for the next.
    std::exception_ptr failure;
    auto fire = [&](const auto& event) {
        try {
            event();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    if (FCurrentError.IsZero()) {
        appendBuffer();
        if (!FDestroying && OnCommResult)
            fire([&] { OnCommResult(this, FResult); });
    }
    if (!(FCurrentError == FLastError)) {
        FLastError = FCurrentError;
        FResult.Clear();
        appendBuffer();
        if (!FDestroying && OnCommError)
            fire([&] { OnCommError(this, FCurrentError, FResult); });
    }
    completed();
    if (FCyclic)
        Send();
    else
        FLastError = TCommError{};
    if (failure)
        std::rethrow_exception(failure);
}

void TLBProtocolComponent::DataReceived(TFrameBuffer, TFrameBuffer, bool& restart) {
    restart = false;
}
