#include "params/DefIniFile.h"

#include <cctype>
#include <fstream>
#include <iterator>

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

bool ParseDefInteger(std::string_view text, int32_t& value) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    bool hex = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        text.remove_prefix(2);
    } else if (!text.empty() && text[0] == '$') {
        hex = true;
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    int64_t result = 0;
    if (hex) {
        if (text.size() > 8)
            return false;
        for (char c : text) {
            int digit = HexDigit(c);
            if (digit < 0)
                return false;
            result = result * 16 + digit;
        }
        auto bits = static_cast<uint32_t>(result);
        int32_t signedBits = static_cast<int32_t>(bits);
        value = negative ? static_cast<int32_t>(0u - bits) : signedBits;
        return true;
    }
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + (c - '0');
        if (result > 2147483648LL)
            return false;
    }
    if (negative)
        result = -result;
    if (result > INT32_MAX || result < INT32_MIN)
        return false;
    value = static_cast<int32_t>(result);
    return true;
}

bool TDefIniFile::LoadFromFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return false;
    LoadFromText(text);
    return true;
}

void TDefIniFile::Clear() {
    FSectionNames.clear();
    FSections.clear();
    FFirstSection.clear();
}

void TDefIniFile::LoadFromText(std::string_view text) {
    Clear();
    bool inSection = false;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (end < text.size() && text[end] == '\r' && pos < text.size() && text[pos] == '\n')
            ++pos;
        if (end == text.size() && line.empty())
            break;
        if (line.empty() || line[0] == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string name(line.substr(1, line.size() - 2));
            FFirstSection.emplace(AsciiLower(name), FSections.size());
            FSectionNames.push_back(std::move(name));
            FSections.emplace_back();
            inSection = true;
            continue;
        }
        if (inSection)
            FSections.back().emplace_back(line);
    }
}

bool TDefIniFile::SectionExists(std::string_view section) const {
    return FFirstSection.count(AsciiLower(section)) > 0;
}

const std::vector<std::string>* TDefIniFile::SectionLines(std::string_view section) const {
    auto it = FFirstSection.find(AsciiLower(section));
    return it == FFirstSection.end() ? nullptr : &FSections[it->second];
}

std::optional<std::string> TDefIniFile::Value(std::string_view section,
                                              std::string_view key) const {
    const std::vector<std::string>* lines = SectionLines(section);
    if (!lines)
        return std::nullopt;
    for (const std::string& line : *lines) {
        size_t eq = line.find('=');
        if (eq != std::string::npos && EqualNoCase(std::string_view(line).substr(0, eq), key))
            return line.substr(eq + 1);
    }
    return std::nullopt;
}

std::string TDefIniFile::ReadString(std::string_view section, std::string_view key,
                                    const std::string& fallback) const {
    return Value(section, key).value_or(fallback);
}

int32_t TDefIniFile::ReadInteger(std::string_view section, std::string_view key,
                                 int32_t fallback) const {
    auto text = Value(section, key);
    int32_t value = 0;
    return text && ParseDefInteger(*text, value) ? value : fallback;
}
