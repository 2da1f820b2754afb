#pragma once
// Line speed of a serial descriptor in bits per second, including rates without a B* constant
// (28800), through the kernel's termios2 interface. Kept apart because <asm/termbits.h> clashes
// with <termios.h>. Both return 0 or an errno.

#include <cstdint>

int SetCustomLineSpeed(int fd, uint32_t baud);
int GetLineSpeed(int fd, uint32_t& baud);
