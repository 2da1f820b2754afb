#pragma once
// The value text of a reply: the reply less its first three bytes (the command's two letters and
// a blank) and its last two (the line end).

#include "comm/MemoryStream.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

// The usual read limit; the main window's input, output and analog input values use 20.
constexpr size_t ValueTextLimit = 100;
constexpr size_t ShortValueTextLimit = 20;

// The value text, empty for a reply of five bytes or fewer; nothing when the reply is longer
// than `limit` bytes (unreadable).
std::optional<QString> ReadValueTextChecked(const TMemoryStream& stream,
                                            size_t limit = ValueTextLimit);
// As above, with an unreadable reply giving an empty text.
QString ReadValueText(const TMemoryStream& stream, size_t limit = ValueTextLimit);

// Whether a reply answers `command`: it begins with the command's two letters and ends with the
// line end. A refusal ("er 7"), a reply without its letters, one cut short by a pause on the
// line and line noise do not, so their bytes are never taken for a value.
bool ReplyAnswers(const TMemoryStream& stream, const std::string& command);
// The value text of a reply that answers `command`; nothing for one that does not, or that is
// longer than `limit` bytes.
std::optional<QString> ReadAnswerValueText(const TMemoryStream& stream, const std::string& command,
                                           size_t limit = ValueTextLimit);

// A value text as an integer: optional blanks around, an optional sign, decimal digits (or hex
// after "$" or "0x"), within 32 bits. False for anything else, an empty text included.
bool ValueTextToInt(const QString& text, int32_t& value);
