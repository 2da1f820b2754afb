#pragma once
// Fixed-point texts of the device's scaled integers: a comma as decimal separator whatever the
// locale, a leading "-" as the only sign, no thousands separator.

#include <QString>

#include <cstdint>

// Decimals codes that stand for a number of decimals held in the parameter store.
constexpr int DecimalsOfPosition = 9;     // parameter 203
constexpr int DecimalsOfLinPosition = 10; // parameter 248

// The results of FixedTextToInt that are no value; no value can reach them.
constexpr int32_t FixedTextFormatError = 2000000001;
constexpr int32_t FixedTextRangeError = 2000000002;

// The number of decimals a decimals code stands for: codes 9 and 10 take it from parameters 203
// and 248 of the store at the time of the call (9 first, so 203 holding 10 refers on to 248);
// other codes are the number itself.
int ResolvedDecimals(int decimals);

// `value` with `decimals` digits after the comma; codes 9 and 10 take the number of decimals from
// parameters 203 and 248 at the time of the call. Zero or negative decimals give a plain integer.
QString IntToFixedText(int decimals, int32_t value);

// The raw value of a fixed-point text with at most `decimals` digits after the comma, or
// FixedTextFormatError for a malformed text (anything but digits, one comma and a leading "-";
// more than nine characters without the comma) or FixedTextRangeError for a value outside
// [minimum, maximum]. `decimals` is taken literally here.
int32_t FixedTextToInt(const QString& text, int decimals, bool signAllowed, int32_t minimum,
                       int32_t maximum);
