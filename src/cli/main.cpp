#include <iostream>

#include "cli/checked_output.h"
#include "cli/cli_context.h"
#include "cli/console.h"
#include "cli/stop_request.h"

int main(int argc, char** argv) {
    qx::cli::PrepareConsole();
    qx::cli::PrepareStopSignals();
    const std::vector<std::string> args = qx::cli::ProgramArguments(argc, argv);
    // Questions are put to a user only when one sits at a terminal.
    std::istream* terminal = qx::cli::StdinIsTerminal() ? &std::cin : nullptr;
    qx::cli::CheckedOutputBuffer standardOutput(stdout);
    std::ostream out(&standardOutput);
    return qx::cli::RunCli(args, out, std::cerr, terminal);
}
