#pragma once
// Commands of one protocol component sent strictly one after another. A component has a single
// request record: sending it again while an earlier request still waits at the port gives both
// queue entries the newer frame, so the earlier command is lost and the newer one goes out
// twice. Here each command goes out once, in order, when the one before it has been answered
// or has failed.

#include <deque>
#include <string>
#include <string_view>

class TLD100Protocol;

class TCommandQueue {
public:
    explicit TCommandQueue(TLD100Protocol& component) : FComponent(component) {}

    // Sends `command` now when nothing is outstanding, else after the commands before it. A
    // command sent while the port is closed gets no answer and stays outstanding until Clear.
    void Send(std::string command);

    // What an answer or failure completed.
    struct TDone {
        // The command it answers; empty when none was outstanding.
        std::string Command;
        // It answers a command sent before the last Restart: its sender has started afresh and
        // takes no notice of it.
        bool Stale = false;
    };
    // The outstanding command has been answered or has failed: the next one goes out. Called
    // from the component's result and error events, after the reply has been read (sending
    // clears the component's result stream).
    TDone Done();
    // Forgets the outstanding and the waiting commands: the port has closed, so none of them
    // will be answered.
    void Clear();
    // Starts afresh: forgets the waiting commands. One still being exchanged at the port keeps
    // the queue busy until it completes, so that the next command does not go out beside it and
    // its late answer is not taken for the next command's.
    void Restart();

    bool Busy() const { return FBusy; }
    // The outstanding command of the current start; empty when there is none.
    const std::string& Outstanding() const;
    const std::deque<std::string>& Waiting() const { return FWaiting; }
    // Whether a command of the current start beginning with `prefix` is outstanding or waiting.
    bool Holds(std::string_view prefix) const;

private:
    void SendNow(std::string command);

    TLD100Protocol& FComponent;
    std::deque<std::string> FWaiting;
    std::string FOutstanding;
    bool FBusy = false;
    bool FStale = false;
};
