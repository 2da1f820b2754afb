#include "support/RawExchange.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

TRawExchange::TRawExchange(const std::string& path) {
    FFd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    tcgetattr(FFd, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B38400);
    tcsetattr(FFd, TCSANOW, &tio);
}

TRawExchange::~TRawExchange() {
    if (FFd >= 0)
        ::close(FFd);
}

std::string TRawExchange::Exchange(const std::string& command) {
    std::string line = command + "\r";
    [[maybe_unused]] ssize_t written = ::write(FFd, line.data(), line.size());
    std::string reply;
    while (reply.find("\r\n") == std::string::npos) {
        pollfd p{FFd, POLLIN, 0};
        if (::poll(&p, 1, 1000) <= 0)
            break;
        char buffer[128];
        ssize_t n = ::read(FFd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        reply.append(buffer, static_cast<size_t>(n));
    }
    return reply;
}
