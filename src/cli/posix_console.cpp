#include "cli/console.h"

#include <unistd.h>

namespace qx::cli {

void PrepareConsole() {}

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

bool StdinIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }

bool StderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace qx::cli
