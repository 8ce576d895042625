// qxcfg diff A B: compares two configurations, each a configuration file, a
// configuration the module history kept ("history:12") or a module read
// through a port ("port:COM2", "port:/dev/ttyUSB1"), setting by
// setting as a module would store them, and lists every difference:
//
//   Serial Baud Rate (ATC): a.X7R has 4, port:/dev/ttyUSB0 has 6
//
// Exit code 0 when they are the same, 1 when they differ or a module could
// not be read, 2 when a file could not be loaded, 130 after Ctrl-C. --json
// prints one object instead, whatever came of it:
//
//   {"first": "a.X7R", "second": "port:/dev/ttyUSB0", "result": "ok", "exit": 1, "same": false,
//    "differences": [{"setting": "Serial Baud Rate (ATC)", "first": "4", "second": "6"}]}
//   {"first": "a.X7R", "second": "port:/dev/ttyUSB0", "result": "failed", "exit": 1, "error": "<report>"}

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/configuration_operand.h"
#include "cli/json_text.h"
#include "cli/module_read.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/setting_differences.h"
#include "cli/usage_error.h"
#include "config/configuration_comparison.h"
#include "files/config_file_commands.h"
#include "files/file_errors.h"

namespace qx::cli {

namespace {

constexpr std::string_view kPortPrefix = "port:";

std::string Shown(const std::string& value) { return value.empty() ? "(empty)" : value; }

struct Side {
    std::unique_ptr<Workspace> workspace;  // null when it could not be had
    int exitCode = kExitOk;                // why not
    std::string error;
};

// One side's configuration: loaded from its file or history entry, or read
// from the module on its port with the port options given (the side's port
// replacing --port).
Side LoadSide(CliContext& context, const OnlineOptions& online, const std::string& side) {
    if (!side.starts_with(kPortPrefix)) {
        auto workspace = StartWorkspace(context, std::nullopt);
        if (!LoadConfiguration(context, *workspace, side)) return {nullptr, kExitUsage, std::string(kLoadErrorText)};
        return {std::move(workspace), kExitOk, {}};
    }
    OnlineOptions options = online;
    options.port.SelectPort(side.substr(kPortPrefix.size()));
    options.port.CheckLineOptions();
    ModuleRead read = ReadModule(context, options);
    const int rc = Conclude(context, read.outcome);
    if (!read.outcome.IsDone()) return {nullptr, rc, read.outcome.text};
    return {std::move(read.workspace), kExitOk, {}};
}

struct DiffArgs {
    OnlineOptions online;
    std::vector<std::string> sides;
    bool json = false;
};

// {"first": ..., "second": ..., "result": ..., "exit": ...}, then what
// came of the comparison, or the error.
JsonLine DiffJson(const DiffArgs& args, int exitCode, const std::string& error) {
    JsonLine line;
    line.Text("first", args.sides[0]).Text("second", args.sides[1]);
    line.Text("result", exitCode == kExitCancelled ? "cancelled" : error.empty() ? "ok" : "failed").Number("exit", exitCode);
    if (!error.empty()) line.Text("error", OneLine(error));
    return line;
}

int Compare(CliContext& context, const DiffArgs& args) {
    // Two modules' lines meet in one log.
    OnlineOptions online = args.online;
    online.log.markPorts = args.sides[0].starts_with(kPortPrefix) && args.sides[1].starts_with(kPortPrefix);

    Side first = LoadSide(context, online, args.sides[0]);
    Side second = first.workspace ? LoadSide(context, online, args.sides[1]) : Side{};
    const Side& failed = !first.workspace ? first : second;
    if (!failed.workspace) {
        if (args.json) context.out << DiffJson(args, failed.exitCode, failed.error).Str() << '\n';
        return failed.exitCode;
    }
    const auto differences = CompareConfigurations(first.workspace->config, second.workspace->config);
    const int exitCode = differences.empty() ? kExitOk : kExitFailure;
    if (args.json) {
        context.out << DiffJson(args, exitCode, {})
                           .Flag("same", differences.empty())
                           .Raw("differences", DifferencesJson(differences, "first", "second"))
                           .Str()
                    << '\n';
        return exitCode;
    }
    for (const auto& d : differences)
        context.out << d.caption << ": " << args.sides[0] << " has " << Shown(d.first) << ", " << args.sides[1] << " has "
                    << Shown(d.second) << '\n';
    return exitCode;
}

int Diff(CliContext& context, DiffArgs& args) {
    if (args.sides.size() != 2) throw UsageError("diff: give two configurations, each FILE, history:ID or port:PORT");
    for (const auto& side : args.sides)
        if (side == kPortPrefix) throw UsageError("diff: port: needs COMn or a device path");
    try {
        // Both files are there before any module is woken.
        for (const auto& side : args.sides)
            if (!side.starts_with(kPortPrefix)) RequireConfiguration(side);
    } catch (const EFileError& e) {
        if (!args.json) throw;
        context.err << ErrorLines(e.what());
        context.out << DiffJson(args, kExitUsage, e.what()).Str() << '\n';
        return kExitUsage;
    }
    return Compare(context, args);
}

}  // namespace

Command DiffCommand() {
    return Declare<DiffArgs>({
        .name = "diff",
        .usage = "A B [PORT OPTIONS] [--json]",
        .summary = "compare two configurations: .X7R files, history entries (history:ID) or modules (port:P)",
        .rows = Join({Operand("A B", "", Offer::Configuration, Accepts::NoDoubleDash, true, Append<&DiffArgs::sides>),
                      JsonFlag<DiffArgs>("print the differences as one JSON object")},
                     OperationOptions<DiffArgs>()),
        .exits = {{0, "the same"},
                  {1, "different, or a module could not be read"},
                  {2, "usage error, or a file that cannot be loaded"},
                  {130, "cancelled with Ctrl-C"}},
        .examples = {"qxcfg diff site.X7R port:/dev/ttyUSB0"},
        .run = Diff,
    });
}

}  // namespace qx::cli
