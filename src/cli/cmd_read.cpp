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

int Read(CliContext& context, ReadArgs& args) {
    const OnlineOptions& online = args.online;
    if (online.ports.size() > 1) {
        if (args.output) throw UsageError("read: -o takes one port");
        return RunOnEachPort(context, online, [](CliContext& own, const OnlineOptions& one) {
            const ModuleRead read = ReadModule(own, one);
            const int rc = Conclude(own, read.outcome);
            if (read.outcome.IsFailed()) return PortResult{rc, read.outcome.text};
            return PortResult{rc, ShownStatus(*read.workspace)};
        }, args.json);
    }
    const ModuleRead read = ReadModule(context, online);
    const int rc = Conclude(context, read.outcome);
    if (!read.outcome.IsDone()) return rc;
    // "-o -" puts the file on standard output, and nothing else.
    if (args.output != kStandardOutput) PrintReadResult(context, *read.workspace, args.json);
    return SaveReadResult(context, *read.workspace, args.output);
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
        .exits = OperationExits(),
        .examples = {"qxcfg read --port /dev/ttyUSB0 -o back.X7R"},
        .run = Read,
    });
}

}  // namespace qx::cli
