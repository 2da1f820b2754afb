#include "calib/CommandQueue.h"

#include "comm/LD100Protocol.h"

void TCommandQueue::Send(std::string command) {
    if (FBusy)
        FWaiting.push_back(std::move(command));
    else
        SendNow(std::move(command));
}

void TCommandQueue::Done() {
    FBusy = false;
    if (FWaiting.empty())
        return;
    std::string next = std::move(FWaiting.front());
    FWaiting.pop_front();
    SendNow(std::move(next));
}

void TCommandQueue::Clear() {
    FWaiting.clear();
    FBusy = false;
}

void TCommandQueue::SendNow(std::string command) {
    FComponent.SetASCIIProtocol(std::move(command));
    FBusy = true;
    FComponent.Send();
}
