#pragma once
// A port with one LD100 component configured as the windows configure theirs (foot CR), for
// exchanges with the simulated line one command at a time.

#include "comm/LBComm.h"
#include "comm/LD100Protocol.h"

#include <chrono>
#include <string>

struct TSimOutcome {
    bool Done = false; // false: no outcome within the test's patience
    bool Ok = false;
    std::string Reply;
    TCommError Error;
    std::chrono::milliseconds Took{0};
};

class TSimTestPort {
public:
    // `factory` empty: the POSIX device, on the path of `port` in the COM-name table.
    explicit TSimTestPort(TSerialDeviceFactory factory = {}, TPort port = TPort::COM1);

    TLBComm Port;
    TLD100Protocol Component;

    // Sends `text` with the component's time-out `timeoutMs` and waits for the result or error.
    TSimOutcome Exchange(const std::string& text, int timeoutMs = 0);
};
