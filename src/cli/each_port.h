#pragma once
// A module command's run on its ports: on the one port given, or, with
// --port given more than once, on every port at once, each with its own
// channel, workspace and output, ending with one result line per port.
//
// With --json each port's outcome is one JSON object on a line of its own,
// whatever it came to, with the same members for one port or several:
//   {"port": "/dev/ttyUSB1", "result": "ok", "exit": 0, ...what the port read or did}
//   {"port": "/dev/ttyUSB2", "result": "failed", "exit": 1, "error": "<report>"}
// ("result" ok, failed, declined or cancelled; "text" with more for an ok).

#include <functional>
#include <string>
#include <vector>

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
    // More members of the port's JSON object: what the port read or did.
    JsonLine details;
    // With several ports, the lines printed under the port's result line.
    std::vector<std::string> lines;
};

using PortJob = std::function<PortResult(CliContext& context, const OnlineOptions& options)>;

// Runs `job` on the port given, in this context (questions reach the
// terminal; the job prints what it has to say itself unless `json`), or on
// every port given at once (RunOnEachPort). With `json` the outcome of
// every port is its PortJson object, also when the job failed; `check`
// (when given) runs first, before any port is opened, and with `json` what
// it refuses (a file, a setting, an option) is every port's failure too.
// Returns the exit code: the first failing port's, else 0.
int RunOnPorts(CliContext& context, const OnlineOptions& online, bool json, const PortJob& job,
               const std::function<void()>& check = {});

// The same outcome for every port, reached before any was opened (a
// question answered No): with `json` each port's object. Returns its exit
// code.
int ConcludeEveryPort(CliContext& context, const OnlineOptions& online, bool json, const PortResult& result);

// Runs `job` for each --port at once and prints "PORT: OK [text]",
// "PORT: FAILED: <report>" or "PORT: CANCELLED" per port, in the order
// given, each followed by its lines; with `json` each port's PortJson
// object on a line instead. Questions are not put to the terminal from the
// ports' threads; long waits are announced with the port in front as they
// come, and each port's other lines for standard error follow its end, each
// with the port in front.
int RunOnEachPort(CliContext& context, const OnlineOptions& options, const PortJob& job, bool json = false);

std::string PortJson(const std::string& port, const PortResult& result);

}  // namespace qx::cli
