// qxcfg write: loads a configuration file (and/or the settings of a JSON
// object, applied as a file load applies values) and writes it to the module
// as the window's Configure does; --verify reads the module back and lists
// every setting that differs (module_write.h). --json prints one object per
// port: {"port": ..., "result": "ok", "exit": 0, "verified": true, ...}.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/each_port.h"
#include "cli/json_actions.h"
#include "cli/module_write.h"
#include "cli/online_options.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"

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

// Loads the configuration and writes it to the module on one port.
PortResult WriteOnePort(CliContext& context, const OnlineOptions& online, const WriteSource& source,
                        const WriteRequest& request) {
    auto workspace = StartWorkspace(context, std::nullopt);
    if (source.file && !LoadFromFile(*workspace, *source.file)) return {kExitUsage, std::string(kLoadErrorText)};
    if (source.jsonPath)
        ApplyJsonSettings(workspace->config, source.jsonText, *source.jsonPath, {context.err, source.strict});
    // The port options say how the module talks now; loading made the host
    // follow the file's settings, which the module has not taken yet.
    return WriteToModule(context, online, *workspace, request).result;
}

}  // namespace

int RunWrite(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    OnlineOptions online;
    WriteSource source;
    WriteRequest request;
    while (!reader.AtEnd()) {
        if (online.Take(reader)) continue;
        if (reader.TakeFlag("--verify")) {
            request.verify = true;
        } else if (reader.TakeFlag("--json")) {
            request.json = true;
        } else if (reader.TakeFlag("--strict")) {
            source.strict = true;
        } else if (auto j = reader.TakeOption("--from-json")) {
            if (source.jsonPath) throw UsageError("write: --from-json is given twice");
            source.jsonPath = *j;
        } else if (!reader.Peek().starts_with("--") && !source.file) {
            source.file = reader.Next();
        } else {
            throw UsageError("write: unexpected argument '" + reader.Peek() + "'");
        }
    }
    if (!source.file && !source.jsonPath) throw UsageError("write: no configuration file (or --from-json J) given");
    if (source.jsonPath) source.jsonText = ReadJsonFile(*source.jsonPath);

    if (online.ports.size() > 1) {
        return RunOnEachPort(
            context, online,
            [&](CliContext& own, const OnlineOptions& one) { return WriteOnePort(own, one, source, request); },
            request.json);
    }
    const PortResult result = WriteOnePort(context, online, source, request);
    if (request.json) context.out << PortJson(online.PortText(), result) << '\n';
    return result.exitCode;
}

}  // namespace qx::cli
