#include "cli/console.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace qx::cli {

// A standard stream the program was started without (its descriptor
// closed) is taken by /dev/null opened the other way round: the next file
// opened cannot get its number (a port opened as descriptor 1 would receive
// what is meant for standard output), and using the stream still fails as
// it would have, with EBADF.
void PrepareConsole() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        const int held = ::open("/dev/null", (fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
}

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

bool StdinIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }

bool StderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace qx::cli
