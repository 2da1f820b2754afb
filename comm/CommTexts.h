#pragma once
// The library's own texts in English (language 1) and German (language 2): outcome and error
// texts of an exchange (rows 0 … 48) and the captions of its setup form (rows 49 … 81).
// Language index 0 gives the empty string.

#include <cstdint>
#include <string>

constexpr int CommTextRows = 82;

namespace CommRow {
constexpr int Success = 0, Unknown = 1, SystemErrorFmt = 30, LineErrorFirst = 32,
              GeneralErrorFmt = 40, EmptyFrame = 41, Timeout = 42, Checksum = 43,
              SetupFirst = 49;
} // namespace CommRow

// The text of `row` in `language` (0, 1, 2); empty for an index outside the table.
std::string CommText(int row, int language);
// The text with its "%2.2x" or "%4.4x" placeholder replaced by `value` in upper-case hex with
// at least that many digits.
std::string CommTextFormat(int row, int language, uint32_t value);
// 2 when the user's locale (LC_ALL, LC_MESSAGES, LANG, first one set) is German, else 1.
uint8_t CommLanguage();
// The operating system's text for an error number; empty when it has none.
std::string SysErrorMessage(int error);
