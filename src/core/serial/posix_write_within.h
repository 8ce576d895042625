#pragma once
// The bounded write loop of the termios device and of the socket under the
// network device: a non-blocking descriptor written until all is taken or
// the deadline passes.

#include <sys/types.h>

#include <functional>
#include <string_view>

#include "serial/timed_read.h"

namespace qx {

// Hands all of `text` to the non-blocking descriptor `fd` through `put`
// (write or send: returns what it took, or -1 with errno set), waiting for
// room until `deadline`: Done, TimedOut with part of it unwritten, or
// Failed (the descriptor failed or reported an error).
WriteEnd WriteWithin(int fd, std::string_view text, long long deadline,
                     const std::function<ssize_t(int fd, const char* data, std::size_t size)>& put);

}  // namespace qx
