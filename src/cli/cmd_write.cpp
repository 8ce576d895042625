// qxcfg write: loads a configuration file (and/or the settings of a JSON
// object, applied as a file load applies values) and writes it to the module
// as the window's Configure does; --verify reads the module back and lists
// every setting that differs.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/each_port.h"
#include "cli/json_actions.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"
#include "operations/operation_starters.h"
#include "operations/read_back.h"

namespace qx::cli {

namespace {

// A failure of this command's own, said on standard error.
PortResult Fails(CliContext& context, int exitCode, const std::string& text) {
    context.err << "qxcfg: " << text << '\n';
    return {exitCode, text};
}

// The result of an operation that did not end in success.
PortResult Ended(CliContext& context, const OperationOutcome& outcome) {
    return {Conclude(context, outcome), outcome.text};
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
PortResult WriteOnePort(CliContext& context, const OnlineOptions& online, const WriteSource& source, bool verify) {
    auto workspace = StartWorkspace(context, std::nullopt);
    if (source.file && !LoadFromFile(*workspace, *source.file)) return {kExitUsage, std::string(kLoadErrorText)};
    if (source.jsonPath)
        ApplyJsonSettings(workspace->config, source.jsonText, *source.jsonPath, {context.err, source.strict});
    // The port options say how the module talks now; loading made the host
    // follow the file's settings, which the module has not taken yet.
    online.ApplyTo(*workspace);
    auto list = PrepareWriteConfig(*workspace);
    if (!list) return {kExitFailure, "An operating mode must be selected!"};
    const OperationOutcome configured =
        RunModuleOperation(context, *workspace, online, ModuleOperation::Configure, *list);
    if (!configured.IsDone()) return Ended(context, configured);
    Conclude(context, configured);
    if (!verify) return {kExitOk, {}};

    if (!CanReadBack(workspace->config))
        return Fails(context, kExitFailure,
                     "cannot verify: the module now runs at a rate this computer's port cannot use");
    const ReadBack back = ReadBackAndCompare(*workspace, [&](Workspace& module) {
        return RunModuleOperation(context, module, online, ModuleOperation::Read);
    });
    if (!back.outcome.IsDone()) return Ended(context, back.outcome);
    Conclude(context, back.outcome);
    const auto& differences = back.differences;
    for (const auto& d : differences)
        context.out << d.caption << ": wrote " << d.first << ", module has " << d.second << '\n';
    if (!differences.empty())
        return Fails(context, kExitFailure,
                     "the module holds something else in " + std::to_string(differences.size()) + " setting(s)");
    context.out << "verified: the module holds the configuration written\n";
    return {kExitOk, "verified"};
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
        return RunOnEachPort(context, online, [&](CliContext& own, const OnlineOptions& one) {
            return WriteOnePort(own, one, source, verify);
        });
    }
    return WriteOnePort(context, online, source, verify).exitCode;
}

}  // namespace qx::cli
