#pragma once
// The unit range of kq9ctl's line-wide commands: "A-B" or a single unit "N", units 0 … 31.

#include <string>

// False (and both untouched) for anything else, or when A is above B.
bool ParseUnitRange(const std::string& text, int& first, int& last);
