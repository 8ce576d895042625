// qxcfg diff A B: compares two configurations, each a configuration file or
// a module read through a port ("port:COM2", "port:/dev/ttyUSB1"), setting by
// setting as a module would store them, and lists every difference:
//
//   Serial Baud Rate (ATC): a.X7R has 4, port:/dev/ttyUSB0 has 6
//
// Exit code 0 when they are the same, 1 when they differ or a module could
// not be read, 2 when a file could not be loaded, 130 after Ctrl-C. --json
// prints one object instead:
//
//   {"first": "a.X7R", "second": "port:/dev/ttyUSB0", "same": false,
//    "differences": [{"setting": "Serial Baud Rate (ATC)", "first": "4", "second": "6"}]}

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/module_read.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/setting_differences.h"
#include "cli/usage_error.h"
#include "config/configuration_comparison.h"
#include "files/config_file_commands.h"

namespace qx::cli {

namespace {

constexpr std::string_view kPortPrefix = "port:";

std::string Shown(const std::string& value) { return value.empty() ? "(empty)" : value; }

struct Side {
    std::unique_ptr<Workspace> workspace;  // null when it could not be had
    int exitCode = kExitOk;                // why not
};

// One side's configuration: loaded from its file, or read from the module on
// its port with the port options given (the side's port replacing --port).
Side LoadSide(CliContext& context, const OnlineOptions& online, const std::string& side) {
    if (!side.starts_with(kPortPrefix)) {
        auto workspace = StartWorkspace(context, std::nullopt);
        if (!LoadFromFile(*workspace, side)) return {nullptr, kExitUsage};
        return {std::move(workspace), kExitOk};
    }
    OnlineOptions options = online;
    ArgReader port({"--port", side.substr(kPortPrefix.size())});
    options.port.Take(port);
    ModuleRead read = ReadModule(context, options);
    const int rc = Conclude(context, read.outcome);
    if (!read.outcome.IsDone()) return {nullptr, rc};
    return {std::move(read.workspace), kExitOk};
}

}  // namespace

int RunDiff(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    OnlineOptions online;
    std::vector<std::string> sides;
    bool json = false;
    while (!reader.AtEnd()) {
        if (online.Take(reader)) continue;
        if (reader.TakeFlag("--json")) {
            json = true;
            continue;
        }
        if (reader.Peek().starts_with("--")) throw UsageError("diff: unexpected argument '" + reader.Peek() + "'");
        sides.push_back(reader.Next());
    }
    if (sides.size() != 2) throw UsageError("diff: give two configurations, each FILE or port:PORT");
    for (const auto& side : sides)
        if (side == kPortPrefix) throw UsageError("diff: port: needs COMn or a device path");
    // Two modules' lines meet in one log.
    online.log.markPorts = sides[0].starts_with(kPortPrefix) && sides[1].starts_with(kPortPrefix);

    const Side first = LoadSide(context, online, sides[0]);
    if (!first.workspace) return first.exitCode;
    const Side second = LoadSide(context, online, sides[1]);
    if (!second.workspace) return second.exitCode;
    const auto differences = CompareConfigurations(first.workspace->config, second.workspace->config);
    if (json) {
        context.out << JsonLine()
                           .Text("first", sides[0])
                           .Text("second", sides[1])
                           .Flag("same", differences.empty())
                           .Raw("differences", DifferencesJson(differences, "first", "second"))
                           .Str()
                    << '\n';
        return differences.empty() ? kExitOk : kExitFailure;
    }
    for (const auto& d : differences)
        context.out << d.caption << ": " << sides[0] << " has " << Shown(d.first) << ", " << sides[1] << " has "
                    << Shown(d.second) << '\n';
    return differences.empty() ? kExitOk : kExitFailure;
}

}  // namespace qx::cli
