#pragma once
// Line settings of a tty through the kernel's termios2 interface. It takes every rate, including
// those without a B* constant (28800), and reports only what the kernel reports: the C library's
// tcsetattr also refuses a request that a driver adapted (a pty forces 8 data bits and no
// parity), which would make such a line impossible to open. Kept apart because
// <asm/termbits.h> clashes with <termios.h>. All functions return 0 or an errno.

#include "comm/SerialDevice.h"

// Raw mode: no canonical input, echo, signals or output processing, no flow control, the
// receiver on, and parity errors, breaks and a literal 0xFF marked in the input.
int SetRawMode(int fd);
// Applies rate, data bits, parity and stop bits of `dcb` (with raw mode); the rate is read back
// and must match.
int SetLineSettings(int fd, const TDcb& dcb);
int GetLineSettings(int fd, TDcb& dcb);
