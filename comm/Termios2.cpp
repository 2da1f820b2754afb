#include "comm/Termios2.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace {

struct TSpeed {
    uint32_t Baud;
    unsigned Code;
};
constexpr TSpeed StandardSpeeds[] = {{1200, B1200},   {2400, B2400},   {4800, B4800},
                                     {9600, B9600},   {19200, B19200}, {38400, B38400},
                                     {57600, B57600}, {115200, B115200}};

void MakeRaw(termios2& tio) {
    tio.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                     IXANY);
    tio.c_iflag |= INPCK | PARMRK;
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~CRTSCTS;
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
}

void SetSpeed(termios2& tio, uint32_t baud) {
    tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    unsigned code = BOTHER;
    for (const TSpeed& s : StandardSpeeds)
        if (s.Baud == baud)
            code = s.Code;
    tio.c_cflag |= code;
    tio.c_ispeed = baud;
    tio.c_ospeed = baud;
}

} // namespace

int SetRawMode(int fd) {
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    MakeRaw(tio);
    return ioctl(fd, TCSETS2, &tio) == 0 ? 0 : errno;
}

int SetLineSettings(int fd, const TDcb& dcb) {
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    MakeRaw(tio);
    // CMSPAR too: left set by another program, it would turn even and odd into mark and space.
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    if (dcb.ByteSize == 7)
        tio.c_cflag |= CS7;
    else if (dcb.ByteSize == 8)
        tio.c_cflag |= CS8;
    else
        return EINVAL;
    if (dcb.Parity == ODDPARITY)
        tio.c_cflag |= PARENB | PARODD;
    else if (dcb.Parity == EVENPARITY)
        tio.c_cflag |= PARENB;
    else if (dcb.Parity != NOPARITY)
        return EINVAL;
    if (dcb.StopBits == TWOSTOPBITS)
        tio.c_cflag |= CSTOPB;
    else if (dcb.StopBits != ONESTOPBIT)
        return EINVAL;
    if (dcb.BaudRate == 0)
        return EINVAL;
    SetSpeed(tio, dcb.BaudRate);
    if (ioctl(fd, TCSETS2, &tio) != 0)
        return errno;
    termios2 back{};
    if (ioctl(fd, TCGETS2, &back) != 0)
        return errno;
    return back.c_ospeed == dcb.BaudRate ? 0 : EINVAL;
}

int GetLineSettings(int fd, TDcb& dcb) {
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0)
        return errno;
    dcb.BaudRate = tio.c_ospeed;
    dcb.ByteSize = (tio.c_cflag & CSIZE) == CS7 ? 7 : 8;
    dcb.Parity = !(tio.c_cflag & PARENB) ? NOPARITY
                 : (tio.c_cflag & PARODD) ? ODDPARITY
                                          : EVENPARITY;
    dcb.StopBits = (tio.c_cflag & CSTOPB) ? TWOSTOPBITS : ONESTOPBIT;
    return 0;
}
