// qxcfg write: loads a configuration file (and/or the settings of a JSON
// object, applied as a file load applies values) and writes it to the module
// as the window's Configure does; --verify reads the module back and lists
// every setting that differs (module_write.h). --json prints one object per
// port: {"port": ..., "result": "ok", "exit": 0, "verified": true, ...}.

#include <sstream>

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/configuration_operand.h"
#include "cli/each_port.h"
#include "cli/json_actions.h"
#include "cli/module_write.h"
#include "cli/online_options.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"
#include "files/file_errors.h"

namespace qx::cli {

namespace {

// What is written: a file, a JSON object of settings (its text, read once
// for every port), or the object applied over the file.
struct WriteSource {
    std::optional<std::string> file;
    std::optional<std::string> jsonPath;
    std::string jsonText;
    bool strict = false;
};

// The configuration to write, in a workspace started as the window starts:
// the file loaded (null when it cannot be: the load has said why), then
// the JSON object applied.
std::unique_ptr<Workspace> LoadSource(CliContext& context, const WriteSource& source) {
    auto workspace = StartWorkspace(context, std::nullopt);
    if (source.file && !LoadConfiguration(context, *workspace, *source.file)) return nullptr;
    if (source.jsonPath)
        ApplyJsonSettings(workspace->config, source.jsonText, *source.jsonPath, {context.err, source.strict});
    return workspace;
}

// Loads the configuration and writes it to the module on one port.
PortResult WriteOnePort(CliContext& context, const OnlineOptions& online, const WriteSource& source,
                        const WriteRequest& request) {
    auto workspace = LoadSource(context, source);
    if (!workspace) return {kExitUsage, std::string(kLoadErrorText)};
    // The port options say how the module talks now; loading made the host
    // follow the file's settings, which the module has not taken yet.
    return WriteToModule(context, online, *workspace, request).result;
}

struct WriteArgs {
    OnlineOptions online;
    WriteSource source;
    WriteRequest request;
};

int Write(CliContext& context, WriteArgs& args) {
    const OnlineOptions& online = args.online;
    WriteSource& source = args.source;
    const WriteRequest& request = args.request;
    if (!source.file && !source.jsonPath) throw UsageError("write: no configuration file (or --from-json J) given");
    return RunOnPorts(
        context, online, request.json,
        [&](CliContext& own, const OnlineOptions& one) { return WriteOnePort(own, one, source, request); },
        [&] {
            // The file and the object are tried once before any module is
            // woken: what cannot be loaded or applied is found here.
            if (source.file) RequireConfiguration(*source.file);
            if (source.jsonPath) source.jsonText = ReadJsonFile(*source.jsonPath);
            std::ostringstream warnings;
            CliContext quiet(context.global, warnings, warnings);
            if (!LoadSource(quiet, source)) throw EFileReadError(std::string(kLoadErrorText));
        });
}

}  // namespace

Command WriteCommand() {
    return Declare<WriteArgs>({
        .name = "write",
        .usage = "[PORT OPTIONS] FILE|--from-json J [--strict] [--verify] [--json]",
        .summary = "write a configuration file to the module (as Configure does)",
        .rows = Join(Join({Operand("FILE", "", Offer::ConfigFile, Accepts::NoDoubleDash, false,
                                   +[](WriteArgs& a, const Given& g) { a.source.file = g.value; }),
                           Option("--from-json", "J",
                                  "write the settings of the JSON object in file J (- standard input) instead, from "
                                  "the factory defaults",
                                  Offer::File,
                                  +[](WriteArgs& a, const Given& g) {
                                      if (a.source.jsonPath) throw UsageError("write: --from-json is given twice");
                                      a.source.jsonPath = g.value;
                                  }),
                           Flag("--strict", "a value outside its range is a usage error, not a warning",
                                +[](WriteArgs& a, const Given&) { a.source.strict = true; }),
                           Flag("--verify", "read the module back and list every setting that differs",
                                +[](WriteArgs& a, const Given&) { a.request.verify = true; }),
                           Flag("--json", "print one JSON object per port: result, how the module is reached now, "
                                          "differences",
                                +[](WriteArgs& a, const Given&) { a.request.json = true; }),
                           NoBackupFlag<WriteArgs>()},
                          OperationOptions<WriteArgs>()),
                     {SeveralPorts<WriteArgs>()}),
        .exits = OperationExits(),
        .examples = {"qxcfg write --port /dev/ttyUSB0 site7.X7R --verify",
                     "qxcfg write --port /dev/ttyUSB0 history:12"},
        .run = Write,
    });
}

}  // namespace qx::cli
