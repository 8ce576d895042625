// Kept apart from <termios.h>: the kernel's termios2 structures clash with
// the C library's termios declarations.
#include "sim/host_line.h"

#include "sim/sim_error.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace qx::sim {

std::optional<HostLine> ReadHostLine(int fd) {
    termios2 tio{};
    if (::ioctl(fd, TCGETS2, &tio) != 0) return std::nullopt;
    HostLine host;
    host.rate = tio.c_ospeed;
    host.twoStopBits = (tio.c_cflag & CSTOPB) != 0;
    host.oddParity = (tio.c_cflag & PARODD) != 0;
    return host;
}

void SetRawLine(int fd, const LineSettings& line) {
    termios2 tio{};
    if (::ioctl(fd, TCGETS2, &tio) != 0) ThrowSystemError("reading the pty settings");
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CBAUD);
    tio.c_cflag |= CS8 | CREAD | CLOCAL | BOTHER;
    if (line.twoStopBits) tio.c_cflag |= CSTOPB;
    if (line.parity == Parity::Odd) tio.c_cflag |= PARENB | PARODD;
    if (line.parity == Parity::Even) tio.c_cflag |= PARENB;
    tio.c_ispeed = line.rate;
    tio.c_ospeed = line.rate;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::ioctl(fd, TCSETS2, &tio) != 0) ThrowSystemError("setting the pty to raw mode");
}

}  // namespace qx::sim
