#include "comm/ComNames.h"

#include <array>
#include <cctype>
#include <mutex>

namespace {

std::mutex tableMutex;

std::array<std::string, 16> DefaultTable() {
    std::array<std::string, 16> table;
    for (int i = 0; i < 16; ++i)
        table[i] = "/dev/ttyS" + std::to_string(i);
    return table;
}

std::array<std::string, 16>& Table() {
    static std::array<std::string, 16> table = DefaultTable();
    return table;
}

} // namespace

std::string ComDevicePath(TPort port) {
    if (!InRange(port))
        return {};
    std::lock_guard lock(tableMutex);
    return Table()[Ord(port)];
}

void SetComDevicePath(TPort port, const std::string& path) {
    if (!InRange(port))
        return;
    std::lock_guard lock(tableMutex);
    Table()[Ord(port)] = path;
}

void ResetComDevicePaths() {
    std::lock_guard lock(tableMutex);
    Table() = DefaultTable();
}

std::string PortDisplayName(TPort port) {
    if (!InRange(port))
        return {};
    return "COM " + std::to_string(Ord(port) + 1);
}

bool ParseComName(const std::string& text, TPort& port) {
    if (text.size() < 4 || text.size() > 5)
        return false;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i])
            return false;
    int number = 0;
    for (size_t i = 3; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        number = number * 10 + (text[i] - '0');
    }
    if (number < 1 || number > 16 || (text.size() == 5 && text[3] == '0'))
        return false;
    port = static_cast<TPort>(number - 1);
    return true;
}
