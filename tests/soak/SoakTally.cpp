#include "SoakTally.h"

#include <cstdio>

namespace kq9soak {

void TTally::Injected(const std::string& window, TFault fault) {
    std::lock_guard lock(FMutex);
    ++FRows[{window, fault}].Injected;
}

void TTally::Shown(const std::string& window, TFault fault) {
    std::lock_guard lock(FMutex);
    ++FRows[{window, fault}].Shown;
}

void TTally::Missed(const std::string& window, TFault fault, const std::string& detail) {
    std::lock_guard lock(FMutex);
    ++FRows[{window, fault}].Missed;
    FFailures.push_back(window + ", " + FaultName(fault) + ": " + detail);
}

void TTally::NotReached(const std::string& window, TFault fault) {
    std::lock_guard lock(FMutex);
    ++FRows[{window, fault}].NotReached;
}

void TTally::Count(const std::string& what, int add) {
    std::lock_guard lock(FMutex);
    FCounts[what] += add;
}

void TTally::Failure(const std::string& text) {
    std::lock_guard lock(FMutex);
    FFailures.push_back(text);
}

bool TTally::Failed() const {
    std::lock_guard lock(FMutex);
    return !FFailures.empty();
}

int TTally::Injections() const {
    std::lock_guard lock(FMutex);
    int total = 0;
    for (const auto& [key, row] : FRows)
        total += row.Injected;
    return total;
}

void TTally::Print(std::ostream& out) const {
    std::lock_guard lock(FMutex);
    char line[160];
    std::snprintf(line, sizeof line, "  %-22s %-22s %8s %6s %6s %11s\n", "window", "fault",
                  "injected", "shown", "missed", "not reached");
    out << line;
    TRow total;
    for (const auto& [key, row] : FRows) {
        std::snprintf(line, sizeof line, "  %-22s %-22s %8d %6d %6d %11d\n", key.first.c_str(),
                      FaultName(key.second), row.Injected, row.Shown, row.Missed, row.NotReached);
        out << line;
        total.Injected += row.Injected;
        total.Shown += row.Shown;
        total.Missed += row.Missed;
        total.NotReached += row.NotReached;
    }
    std::snprintf(line, sizeof line, "  %-22s %-22s %8d %6d %6d %11d\n", "all", "", total.Injected,
                  total.Shown, total.Missed, total.NotReached);
    out << line;
    for (const auto& [what, count] : FCounts) {
        std::snprintf(line, sizeof line, "  %-45s %8d\n", what.c_str(), count);
        out << line;
    }
    for (const std::string& failure : FFailures)
        out << "  FAILED: " << failure << '\n';
}

} // namespace kq9soak
