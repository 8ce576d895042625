#pragma once
// How a qxcfg command that stopped on an exception says so, and the exit
// code it ends with:
//   a usage error                        "qxcfg: TEXT"   2
//   a file that cannot be read or
//   written, a listing the parser refuses "ERROR: TEXT"  2
//   anything else (the module, the port)  "ERROR: TEXT"  1
// ERROR lines have the form of every failure (ErrorLines, cli_prompter.h).

#include <exception>
#include <ostream>

namespace qx::cli {

int ReportException(std::ostream& err, const std::exception& error);

}  // namespace qx::cli
