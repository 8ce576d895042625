// qxcfg read: reads the module's configuration as the window's Read does,
// prints it like show, and saves it when asked.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/each_port.h"
#include "cli/field_output.h"
#include "cli/module_read.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"

namespace qx::cli {

namespace {

struct ReadArgs {
    OnlineOptions online;
    std::optional<std::string> output;
    bool json = false;
};

// One module read: printed like show (unless the file goes to standard
// output, or JSON is wanted), saved when asked; the port's JSON object
// carries the settings, status line included.
PortResult ReadOnePort(CliContext& context, const OnlineOptions& online, const ReadArgs& args) {
    const ModuleRead read = ReadModule(context, online);
    const int rc = Conclude(context, read.outcome);
    if (!read.outcome.IsDone()) return {rc, read.outcome.text};
    PortResult result{rc, ShownStatus(*read.workspace)};
    result.details = SettingsMembers(*read.workspace);
    // "-o -" puts the file on standard output, and nothing else.
    if (!args.json && args.output != kStandardOutput) PrintReadResult(context, *read.workspace, false);
    if (std::string failed = SaveReadResult(context, *read.workspace, args.output); !failed.empty()) {
        result.exitCode = kExitUsage;
        result.text = std::move(failed);
    }
    return result;
}

int Read(CliContext& context, ReadArgs& args) {
    const OnlineOptions& online = args.online;
    return RunOnPorts(
        context, online, args.json,
        [&args](CliContext& own, const OnlineOptions& one) { return ReadOnePort(own, one, args); },
        [&] {
            if (!args.output) return;
            if (online.ports.size() > 1) throw UsageError("read: -o takes one port");
            if (args.json && *args.output == kStandardOutput)
                throw UsageError("read: -o - puts the file on standard output, where --json would print; give one");
            CheckSaveTarget(*args.output);
        });
}

}  // namespace

Command ReadCommand() {
    return Declare<ReadArgs>({
        .name = "read",
        .usage = "[PORT OPTIONS] [-o FILE] [--json]",
        .summary = "read the module's configuration (as Read does) and print or save it",
        .rows = Join(Join({Option("-o", "FILE",
                                  "also save it as a configuration file (- writes only the file, to standard output)",
                                  Offer::ConfigFile, Keep<&ReadArgs::output>),
                           JsonFlag<ReadArgs>("print the fields as one JSON object")},
                          OperationOptions<ReadArgs>()),
                     {SeveralPorts<ReadArgs>()}),
        .exits = ModuleExits(),
        .examples = {"qxcfg read --port /dev/ttyUSB0 -o back.X7R"},
        .run = Read,
    });
}

}  // namespace qx::cli
