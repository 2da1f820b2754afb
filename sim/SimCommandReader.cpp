#include "sim/SimCommandReader.h"

namespace {
constexpr size_t MaxCommandLength = 256;
}

std::vector<std::string> TSimCommandReader::Feed(const uint8_t* data, size_t count) {
    std::vector<std::string> commands;
    for (size_t i = 0; i < count; ++i) {
        char c = static_cast<char>(data[i]);
        if (c == '\r') {
            commands.push_back(std::move(FPending));
            FPending.clear();
        } else if (c != '\n' && FPending.size() < MaxCommandLength) {
            FPending += c;
        }
    }
    return commands;
}
