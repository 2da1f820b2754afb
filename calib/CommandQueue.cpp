#include "calib/CommandQueue.h"

#include "comm/LD100Protocol.h"

#include <algorithm>

namespace {

const std::string NoCommand;

} // namespace

void TCommandQueue::Send(std::string command) {
    if (FBusy)
        FWaiting.push_back(std::move(command));
    else
        SendNow(std::move(command));
}

TCommandQueue::TDone TCommandQueue::Done() {
    TDone done{FBusy ? std::move(FOutstanding) : std::string(), FStale};
    FOutstanding.clear();
    FBusy = false;
    FStale = false;
    if (!FWaiting.empty()) {
        std::string next = std::move(FWaiting.front());
        FWaiting.pop_front();
        SendNow(std::move(next));
    }
    return done;
}

void TCommandQueue::Clear() {
    FWaiting.clear();
    FOutstanding.clear();
    FBusy = false;
    FStale = false;
}

void TCommandQueue::Restart() {
    FWaiting.clear();
    if (FBusy && FComponent.RequestPending()) {
        FStale = true;
        return;
    }
    Clear();
}

const std::string& TCommandQueue::Outstanding() const {
    return FBusy && !FStale ? FOutstanding : NoCommand;
}

bool TCommandQueue::Holds(std::string_view prefix) const {
    return Outstanding().starts_with(prefix) ||
           std::any_of(FWaiting.begin(), FWaiting.end(), [prefix](const std::string& command) {
               return command.starts_with(prefix);
           });
}

void TCommandQueue::SendNow(std::string command) {
    FComponent.SetASCIIProtocol(command);
    FOutstanding = std::move(command);
    FBusy = true;
    FComponent.Send();
}
