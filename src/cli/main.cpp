#include <iostream>

#include "cli/cli_context.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return qx::cli::RunCli(args, std::cout, std::cerr);
}
