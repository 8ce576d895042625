// qxcfg write: loads a configuration file (and/or the settings of a JSON
// object, applied as a file load applies values) and writes it to the module
// as the window's Configure does; --verify reads the module back and lists
// every setting that differs.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/each_port.h"
#include "cli/json_actions.h"
#include "cli/online_options.h"
#include "cli/usage_error.h"
#include "config/config_difference.h"
#include "files/config_file_commands.h"
#include "operations/operation_starters.h"

namespace qx::cli {

namespace {

// The module's configuration as a Read leaves it, on the host settings
// that the configure ended with.
int ReadBack(CliContext& context, const Workspace& written, const OnlineOptions& online,
             std::unique_ptr<Workspace>& module) {
    module = StartWorkspace(context, std::nullopt);
    module->host = written.host;
    module->escape = written.escape;
    module->config.SetNumber(FieldId::sreg_21, written.config.Value(FieldId::sreg_21));
    PrepareReadModuleConfig(*module);
    return RunModuleOperation(context, *module, online, ModuleOperation::Read);
}

// What is written: a file, a JSON object of settings (its text, read once
// for every port), or the object applied over the file.
struct WriteSource {
    std::optional<std::string> file;
    std::optional<std::string> jsonPath;
    std::string jsonText;
    bool strict = false;
};

// Loads the configuration, writes it to the module on one port and, when
// asked, reads it back and lists what differs.
int WriteOnePort(CliContext& context, const OnlineOptions& online, const WriteSource& source, bool verify,
                 std::string& summary) {
    auto workspace = StartWorkspace(context, std::nullopt);
    if (source.file && !LoadFromFile(*workspace, *source.file)) return kExitUsage;
    if (source.jsonPath)
        ApplyJsonSettings(workspace->config, source.jsonText, *source.jsonPath, {context.err, source.strict});
    // The port options say how the module talks now; loading made the host
    // follow the file's settings, which the module has not taken yet.
    online.ApplyTo(*workspace);
    auto list = PrepareWriteConfig(*workspace);
    if (!list) return kExitFailure;
    const ConfigCommandList written = *list;
    const int rc = RunModuleOperation(context, *workspace, online, ModuleOperation::Configure, *list);
    if (rc != kExitOk || !verify) return rc;

    const int baud = workspace->config.Choice(FieldId::Serial_Baud);
    if (baud == 8 || baud == 11 || baud == 13) {
        context.err << "qxcfg: cannot verify: the module now runs at a rate this computer's port cannot use\n";
        return kExitFailure;
    }
    std::unique_ptr<Workspace> module;
    if (const int readRc = ReadBack(context, *workspace, online, module); readRc != kExitOk) return readRc;
    const auto differences = CompareCommandLists(written, BuildConfigCommandList(module->config));
    for (const auto& d : differences)
        context.out << d.caption << ": wrote " << d.first << ", module has " << d.second << '\n';
    if (!differences.empty())
        context.err << "qxcfg: the module holds something else in " << differences.size() << " setting(s)\n";
    if (differences.empty()) context.out << "verified: the module holds the configuration written\n";
    summary = differences.empty() ? "verified" : "";
    return differences.empty() ? kExitOk : kExitFailure;
}

}  // namespace

int RunWrite(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    OnlineOptions online;
    WriteSource source;
    bool verify = false;
    while (!reader.AtEnd()) {
        if (online.Take(reader)) continue;
        if (reader.TakeFlag("--verify")) {
            verify = true;
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
        return RunOnEachPort(context, online,
                             [&](CliContext& own, const OnlineOptions& one, std::string& summary) {
                                 return WriteOnePort(own, one, source, verify, summary);
                             });
    }
    std::string summary;
    return WriteOnePort(context, online, source, verify, summary);
}

}  // namespace qx::cli
