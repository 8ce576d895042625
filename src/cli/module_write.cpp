#include "cli/module_write.h"

#include "cli/cli_workspace.h"
#include "cli/module_reach.h"
#include "cli/outcome_exit.h"
#include "cli/setting_differences.h"
#include "cli/usage_error.h"
#include "operations/operation_starters.h"
#include "operations/read_back.h"

namespace qx::cli {

namespace {

// A failure of this command's own, said on standard error as every failure is.
void Fail(CliContext& context, PortResult& result, const std::string& text) {
    context.err << ErrorLines(text);
    result.exitCode = kExitFailure;
    result.text = text;
}

}  // namespace

ModuleWrite WriteToModule(CliContext& context, const OnlineOptions& online, Workspace& workspace,
                          const WriteRequest& request) {
    ModuleWrite write;
    PortResult& result = write.result;
    online.ApplyTo(workspace);
    auto list = PrepareWriteConfig(workspace);
    if (!list) {
        result = {kExitFailure, "An operating mode must be selected!"};
        return write;
    }
    const OperationOutcome configured =
        RunModuleOperation(context, workspace, online, ModuleOperation::Configure, *list);
    result.exitCode = Conclude(context, configured);
    if (!configured.IsDone()) {
        result.text = configured.text;
        return write;
    }
    const auto reach = ReachAfterWrite(online, workspace.config);
    // Where the module answers now is said again should standard output fail.
    context.moduleChange.Note(reach ? ReachText(*reach) : "the configuration was written and stored");
    if (reach) {
        if (!request.json) context.out << ReachText(*reach) << '\n';
        result.text = ReachText(*reach);
        result.details.Raw("reached-at", ReachJson(*reach));
    }
    // A Ctrl-C that came too late to stop the write still ends the command:
    // the module is not read back.
    if (!request.verify || configured.cancelRequested) return write;

    if (!CanReadBack(workspace.config)) {
        Fail(context, result, "cannot verify: the module now runs at a rate this computer's port cannot use");
        return write;
    }
    if (reach && reach->connectionLeftBehind) {
        Fail(context, result, "cannot verify: the module now answers at line settings this connection cannot reach");
        return write;
    }
    ReadBack back = ReadBackAndCompare(
        workspace, [&](Workspace& module) { return RunModuleOperation(context, module, online, ModuleOperation::Read); },
        ReadBackAt::WrittenSettings);
    result.exitCode = Conclude(context, back.outcome);
    // The write itself is done: a port that no longer opens (a port server
    // that takes one connection only, say) leaves only the read-back undone.
    if (back.outcome.IsFailed() && back.outcome.errorClass == ErrorClass::PortOpening) {
        Fail(context, result,
             "the configuration was written to the module and stored; only reading it back failed (the port "
             "could not be opened again). Check it later with: " +
                 ReadCommandAfterWrite(online, workspace.config));
        return write;
    }
    if (!back.outcome.IsDone()) {
        result.text = back.outcome.text;
        return write;
    }
    write.readBack = std::move(back.module);
    const auto& differences = back.differences;
    result.details.Flag("verified", differences.empty()).Raw("differences", DifferencesJson(differences, "wrote", "module"));
    if (!request.json)
        for (const auto& d : differences)
            context.out << d.caption << ": wrote " << d.first << ", module has " << d.second << '\n';
    if (!differences.empty()) {
        Fail(context, result,
             "the module holds something else in " + std::to_string(differences.size()) + " setting(s)");
        return write;
    }
    if (!request.json) context.out << "verified: the module holds the configuration written\n";
    result.text = result.text.empty() ? "verified" : "verified; " + result.text;
    return write;
}

}  // namespace qx::cli
