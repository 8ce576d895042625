#pragma once
// Several modules at once: a module command given --port more than once
// runs on every port in parallel, each with its own channel, workspace and
// output, and ends with one result line per port.

#include <functional>
#include <string>

#include "cli/cli_context.h"
#include "cli/json_text.h"
#include "cli/online_options.h"

namespace qx::cli {

// What one port's run came to.
struct PortResult {
    PortResult() = default;
    PortResult(int code, std::string what) : exitCode(code), text(std::move(what)) {}

    int exitCode = 1;
    // Success: more for the result line ("verified", the version); failure:
    // the report, as the job's outcome or error gave it.
    std::string text;
    // More members of the port's JSON object (--json).
    JsonLine details;
};

using PortJob = std::function<PortResult(CliContext& context, const OnlineOptions& options)>;

// Runs `job` for each --port at once and prints "PORT: OK [text]",
// "PORT: FAILED: <report>" or "PORT: CANCELLED" per port, in the order
// given; with `json` each port's PortJson object on a line instead.
// Questions are not put to the terminal from the ports' threads; long waits
// are announced with the port in front as they come, and each port's other
// lines for standard error follow its end, each with the port in front. The exit code is 0 when every port
// succeeded, else the first failing port's code.
int RunOnEachPort(CliContext& context, const OnlineOptions& options, const PortJob& job, bool json = false);

// {"port": "/dev/ttyUSB1", "result": "ok", "exit": 0, "text": "verified", ...details}
// ("result" ok, failed, declined or cancelled; a failure's "report").
std::string PortJson(const std::string& port, const PortResult& result);

}  // namespace qx::cli
