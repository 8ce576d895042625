#include "serial/posix_write_within.h"

#include <poll.h>

#include <cerrno>

namespace qx {

WriteEnd WriteWithin(int fd, std::string_view text, long long deadline,
                     const std::function<ssize_t(int fd, const char* data, std::size_t size)>& put) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = put(fd, text.data() + done, text.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return WriteEnd::Failed;
        pollfd p{fd, POLLOUT, 0};
        const int ready = ::poll(&p, 1, MsUntil(deadline));
        if (ready == 0) return WriteEnd::TimedOut;
        if (ready < 0 && errno != EINTR) return WriteEnd::Failed;
        if (ready > 0 && (p.revents & (POLLERR | POLLNVAL))) return WriteEnd::Failed;
    }
    return WriteEnd::Done;
}

}  // namespace qx
