#include "comm/LineSpeed.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

int SetCustomLineSpeed(int fd, uint32_t baud) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_cflag &= ~(CBAUD << IBSHIFT);
    tio.c_cflag |= BOTHER << IBSHIFT;
    tio.c_ispeed = baud;
    tio.c_ospeed = baud;
    if (ioctl(fd, TCSETS2, &tio) != 0)
        return errno;
    uint32_t actual = 0;
    if (int error = GetLineSpeed(fd, actual); error != 0)
        return error;
    return actual == baud ? 0 : EINVAL;
}

int GetLineSpeed(int fd, uint32_t& baud) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    baud = tio.c_ospeed;
    return 0;
}
