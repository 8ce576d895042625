#include <unistd.h>

#include <iostream>

#include "cli/cli_context.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Questions are put to a user only when one sits at a terminal.
    std::istream* terminal = ::isatty(STDIN_FILENO) == 1 ? &std::cin : nullptr;
    return qx::cli::RunCli(args, std::cout, std::cerr, terminal);
}
