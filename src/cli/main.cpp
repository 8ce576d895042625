#include <iostream>

#include "cli/cli_context.h"
#include "cli/console.h"

int main(int argc, char** argv) {
    qx::cli::PrepareConsole();
    const std::vector<std::string> args = qx::cli::ProgramArguments(argc, argv);
    // Questions are put to a user only when one sits at a terminal.
    std::istream* terminal = qx::cli::StdinIsTerminal() ? &std::cin : nullptr;
    return qx::cli::RunCli(args, std::cout, std::cerr, terminal);
}
