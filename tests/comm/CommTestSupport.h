#pragma once
// Shared pieces of the serial-library tests: a port on a scripted device and a recorder of the
// events of a protocol component.

#include "comm/LBComm.h"
#include "comm/LD100Protocol.h"
#include "support/FakeSerialDevice.h"

#include <memory>
#include <string>
#include <vector>

struct TFakePort {
    std::shared_ptr<TFakeSerialDevice> Device = std::make_shared<TFakeSerialDevice>();
    TLBComm Port{[device = Device] { return device; }};
};

struct TEventLog {
    std::vector<std::string> Results;
    std::vector<TCommError> Errors;
    std::vector<std::string> Order; // "result", "error", "activate", "deactivate"

    void Attach(TLBProtocolComponent& component);
    size_t Events() const { return Results.size() + Errors.size(); }
};

// A port open on a scripted device with one LD100 component whose events are logged.
struct TFakeLine : TFakePort {
    TLD100Protocol Component;
    TEventLog Log;

    explicit TFakeLine(int timeoutMs = 0);
    // Sends `text` and waits until the component reports one more event.
    bool Exchange(const std::string& text, int waitMs = 3000);
};

// An LD100 component bound to `port` as every window configures it: foot CR, nothing else.
void ConfigureLD100(TLD100Protocol& component, TLBComm& port, int timeoutMs = 0);
