#pragma once
// Several modules at once: a module command given --port more than once
// runs on every port in parallel, each with its own channel, workspace and
// output, and ends with one result line per port.

#include <functional>
#include <string>

#include "cli/cli_context.h"
#include "cli/online_options.h"

namespace qx::cli {

// One port's run: its exit code; `summary` may say more on the result line.
using PortJob = std::function<int(CliContext& context, const OnlineOptions& options, std::string& summary)>;

// Runs `job` for each --port at once and prints "PORT: OK [summary]" or
// "PORT: FAILED: <report>" per port, in the order given. The exit code is
// 0 when every port succeeded, else the first failing port's code.
int RunOnEachPort(CliContext& context, const OnlineOptions& options, const PortJob& job);

}  // namespace qx::cli
