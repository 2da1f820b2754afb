#pragma once
// The table that maps the port names COM1 … COM16 to device paths. Defaults are /dev/ttyS0 …
// /dev/ttyS15; the program overrides entries from its settings or command line.

#include "comm/CommTypes.h"

#include <string>

std::string ComDevicePath(TPort port);
void SetComDevicePath(TPort port, const std::string& path);
// Restores every entry to its default.
void ResetComDevicePaths();
// "COM 1" … "COM 16": the port's name in messages and the status bar.
std::string PortDisplayName(TPort port);
// "COM1" … "COM16" → the port; false for any other text.
bool ParseComName(const std::string& text, TPort& port);
