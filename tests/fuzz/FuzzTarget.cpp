#include "fuzz/FuzzTarget.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::vector<TFuzzTarget>& Targets() {
    static std::vector<TFuzzTarget> targets;
    return targets;
}

std::string& InputName() {
    static std::string name;
    return name;
}

} // namespace

const std::vector<TFuzzTarget>& FuzzTargets() {
    return Targets();
}

bool RegisterFuzzTarget(const TFuzzTarget& target) {
    Targets().push_back(target);
    return true;
}

void SetFuzzInputName(const char* name) {
    InputName() = name ? name : "";
}

void FuzzCheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "Fuzz check failed: %s (%s:%d)\n", condition, file, line);
    if (!InputName().empty())
        std::fprintf(stderr, "Input: %s\n", InputName().c_str());
    std::fflush(stderr);
    std::abort();
}
