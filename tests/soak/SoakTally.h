#pragma once
// The soak's counts: per window and fault, how many were injected, how many the window showed as
// it should (or, where the window is meant to ride a fault out, rode out), and how many it did
// not; the commands that never came while a fault waited for them; other events worth a line;
// and every failure, each of which fails the soak.

#include "SoakFaults.h"

#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kq9soak {

class TTally {
public:
    void Injected(const std::string& window, TFault fault);
    void Shown(const std::string& window, TFault fault);
    // The window did not show the fault as it should; `detail` says what it showed instead.
    void Missed(const std::string& window, TFault fault, const std::string& detail);
    // The fault's command did not come before the soak gave up waiting for it.
    void NotReached(const std::string& window, TFault fault);
    // A count of something that is no fault (a recovery, a finished transfer).
    void Count(const std::string& what, int add = 1);
    void Failure(const std::string& text);

    bool Failed() const;
    int Injections() const;
    void Print(std::ostream& out) const;

private:
    struct TRow {
        int Injected = 0, Shown = 0, Missed = 0, NotReached = 0;
    };
    mutable std::mutex FMutex;
    std::map<std::pair<std::string, TFault>, TRow> FRows;
    std::map<std::string, int> FCounts;
    std::vector<std::string> FFailures;
};

} // namespace kq9soak
