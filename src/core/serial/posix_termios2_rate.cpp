#include "serial/posix_termios2_rate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace qx {

bool SetRateByNumber(int fd, int rate) {
    struct termios2 t {};
    if (::ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = static_cast<speed_t>(rate);
    t.c_ospeed = static_cast<speed_t>(rate);
    if (::ioctl(fd, TCSETS2, &t) != 0) return false;
    // Some drivers round to the nearest rate they can make; read it back.
    struct termios2 check {};
    return ::ioctl(fd, TCGETS2, &check) == 0 && check.c_ospeed != 0;
}

std::optional<int> ReadRateNumber(int fd) {
    struct termios2 t {};
    if (::ioctl(fd, TCGETS2, &t) != 0) return std::nullopt;
    return static_cast<int>(t.c_ospeed);
}

}  // namespace qx
