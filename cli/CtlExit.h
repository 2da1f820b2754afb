#pragma once
// Exit codes of kq9ctl; scripts rely on them.

namespace CtlExit {
constexpr int Success = 0;
constexpr int Usage = 1;
constexpr int PortNotOpened = 2;
constexpr int Timeout = 3;
constexpr int CommError = 4;
constexpr int Unexpected = 5; // refused or unexpected reply
constexpr int FileError = 6;
constexpr int Interrupted = 130; // Ctrl-C
} // namespace CtlExit
