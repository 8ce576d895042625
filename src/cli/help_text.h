#pragma once
// What qxcfg prints when asked for help or its version. The texts come from
// the command records and their option tables (commands.h); the manual page
// is made from `qxcfg help --all` by help2man, so the layout here is kept
// regular: section headings end with ":", option lines start with two
// spaces and the option.

#include <ostream>

#include "cli/commands.h"

namespace qx::cli {

// qxcfg --help: the usage, the commands, the global options, the exit codes.
void PrintOverview(std::ostream& os);
// qxcfg help COMMAND: usage, options, exit codes and an example.
void PrintCommandHelp(std::ostream& os, const Command& command);
// The overview, then every command's help (for the manual page).
void PrintFullHelp(std::ostream& os);
// The short reminder after a usage error.
void PrintUsageHint(std::ostream& os, const Command* command);
// qxcfg --version.
void PrintVersion(std::ostream& os);

}  // namespace qx::cli
