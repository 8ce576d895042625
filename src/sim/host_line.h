#pragma once
// Reads and sets the termios of the pseudo-terminal through the kernel's
// termios2 calls, which carry any rate as a number (31250 and 93750 included).

#include "sim/line_settings.h"

#include <optional>

namespace qx::sim {

// The line the host has set on the pty that `fd` belongs to; empty when the
// settings cannot be read.
std::optional<HostLine> ReadHostLine(int fd);

// Raw mode (no echo, no line editing, no output processing) at `line`, so
// that nothing the module writes comes back to it before a host has set the
// port up.
void SetRawLine(int fd, const LineSettings& line);

}  // namespace qx::sim
