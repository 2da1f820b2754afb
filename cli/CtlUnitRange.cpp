#include "cli/CtlUnitRange.h"

#include <charconv>
#include <string_view>

namespace {

constexpr int FirstUnit = 0;
constexpr int LastUnit = 31;

bool ParseUnit(std::string_view text, int& unit) {
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, unit);
    return !text.empty() && error == std::errc() && ptr == end && unit >= FirstUnit &&
           unit <= LastUnit;
}

} // namespace

bool ParseUnitRange(const std::string& text, int& first, int& last) {
    const std::string_view view(text);
    const size_t dash = view.find('-');
    int a = 0;
    int b = 0;
    const bool parsed =
        dash == std::string_view::npos
            ? ParseUnit(view, a) && ParseUnit(view, b)
            : ParseUnit(view.substr(0, dash), a) && ParseUnit(view.substr(dash + 1), b) && a <= b;
    if (!parsed)
        return false;
    first = a;
    last = b;
    return true;
}
