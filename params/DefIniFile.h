#pragma once
// Reader of the definition files (parameter definitions and page table). Its rules differ from
// the usual ini readers and are kept exactly:
// - an empty line or one starting with ';' is skipped;
// - a line starting with '[' and ending with ']' starts a section named by the text between,
//   untrimmed (a line with a leading blank is no header);
// - other lines belong to the section above (lines before the first header are dropped);
// - a key matches, case-insensitively, the text before the first '=' of a line, untrimmed; the
//   first matching line wins and its value is everything after that '=';
// - section names match case-insensitively; the first section of a name wins;
// - integers are decimal, or hexadecimal after "0x", "0X" or "$"; anything else is missing.
// Plain C++ so that the simulated line reads the same files the same way.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TDefIniFile {
public:
    // False when the file cannot be read; the contents are then unchanged.
    bool LoadFromFile(const std::string& path);
    void LoadFromText(std::string_view text);
    void Clear();

    bool SectionExists(std::string_view section) const;
    // The lines of the first section of that name, as stored.
    const std::vector<std::string>* SectionLines(std::string_view section) const;
    // Section names in file order (every occurrence).
    const std::vector<std::string>& SectionNames() const { return FSectionNames; }

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& fallback) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;

private:
    std::vector<std::string> FSectionNames;
    std::vector<std::vector<std::string>> FSections;
    std::unordered_map<std::string, size_t> FFirstSection; // lower-case name → index
};

// Decimal, or hexadecimal after "0x", "0X" or "$" (8 hex digits at most, taken as 32 bits);
// an optional sign in front. False for anything else, or a decimal outside 32 bits.
bool ParseDefInteger(std::string_view text, int32_t& value);
// ASCII lower case of a text, and a comparison that ignores ASCII case.
std::string AsciiLower(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
