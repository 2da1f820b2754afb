#pragma once
// Commands of one protocol component sent strictly one after another. A component has a single
// request record: sending it again while an earlier request still waits at the port gives both
// queue entries the newer frame, so the earlier command is lost and the newer one goes out
// twice. Here each command goes out once, in order, when the one before it has been answered
// or has failed.

#include <deque>
#include <string>

class TLD100Protocol;

class TCommandQueue {
public:
    explicit TCommandQueue(TLD100Protocol& component) : FComponent(component) {}

    // Sends `command` now when nothing is outstanding, else after the commands before it. A
    // command sent while the port is closed gets no answer and stays outstanding until Clear.
    void Send(std::string command);
    // The outstanding command has been answered or has failed: the next one goes out. Called
    // from the component's result and error events, after the reply has been read (sending
    // clears the component's result stream).
    void Done();
    // Forgets the outstanding and the waiting commands: the port has closed, or the window
    // starts afresh.
    void Clear();

    bool Busy() const { return FBusy; }
    const std::deque<std::string>& Waiting() const { return FWaiting; }

private:
    void SendNow(std::string command);

    TLD100Protocol& FComponent;
    std::deque<std::string> FWaiting;
    bool FBusy = false;
};
