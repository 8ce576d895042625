// qxcfg set: a configuration file loaded, changed by the settings of a JSON
// object given with --from-json (applied as a file load applies values),
// then by the user's actions NAME=VALUE in order, and saved again (over
// itself, or to another file). With --port it changes the module instead
// (cmd_set_module.cpp): a form of its own, with the port options.

#include <filesystem>

#include "app/utf8_path.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/configuration_operand.h"
#include "cli/field_actions.h"
#include "cli/json_actions.h"
#include "cli/set_arguments.h"
#include "cli/usage_error.h"
#include "files/config_file_commands.h"
#include "history/history_operand.h"

namespace qx::cli {

namespace {

int SetInFile(CliContext& context, SetArgs& args) {
    if (!args.file) throw UsageError("set: FILE is required");
    if (args.actions.empty() && !args.jsonPath)
        throw UsageError("set: at least one NAME=VALUE (or --from-json J) is required");
    if (args.output && args.output->empty()) throw UsageError("set: -o needs a file name");

    // A configuration the history kept is changed into a new file.
    const bool fromHistory = IsHistoryOperand(*args.file);
    if (fromHistory && !args.output) throw UsageError("set: " + *args.file + " is no file to save over: give -o OUT");

    auto workspace = StartWorkspace(context, std::nullopt);
    // A whole configuration given as JSON may make a new file: it starts
    // from the factory defaults, as `new` does.
    const bool newFile = !fromHistory && args.jsonPath && !std::filesystem::exists(PathFromUtf8(*args.file));
    if (!newFile) RequireConfiguration(*args.file);
    if (args.output) CheckSaveTarget(*args.output);
    const std::string jsonText = args.jsonPath ? ReadJsonFile(*args.jsonPath) : std::string();
    if (!newFile && !LoadConfiguration(context, *workspace, *args.file)) return kExitUsage;
    // A file the model refused (its message is out) is no current file:
    // nothing is written over it.
    if (!newFile && !args.output && workspace->currentFileName.empty()) return kExitUsage;
    const RangePolicy policy{context.err, args.strict};
    if (args.jsonPath) ApplyJsonSettings(workspace->config, jsonText, *args.jsonPath, policy);
    for (const auto& action : args.actions) ApplyUserAction(workspace->config, action, policy);
    // The window moves the focus away before saving, so the field being
    // edited has already been left; every action above left its field.
    if (args.output)
        SaveConfiguration(context, *workspace, *args.output);
    else
        WriteConfigFile(*workspace, *args.file);
    return kExitOk;
}

int Set(CliContext& context, SetArgs& args) {
    return args.online.ports.empty() ? SetInFile(context, args) : SetOnModule(context, args);
}

// The two forms: on a file, and with --port on the module.
constexpr unsigned kInFile = 1u << 0;
constexpr unsigned kOnModule = 1u << 1;

std::vector<Row<SetArgs>> SetRows() {
    std::vector<Row<SetArgs>> rows = {
        Operand("FILE", "", Offer::ConfigFile, Accepts::NoDash, false, Keep<&SetArgs::file>).InForms(kInFile),
        Operand("NAME=VALUE", "a user's action on a setting, as show --set", Offer::Setting, Accepts::NoDash, true,
                Append<&SetArgs::actions>)
            .InForms(kInFile),
        Operand("NAME=VALUE", "", Offer::Setting, Accepts::Assignment, true, Append<&SetArgs::actions>)
            .InForms(kOnModule),
        Option("--from-json", "J",
               "first the settings of the JSON object in file J (- standard input); a FILE not yet there starts "
               "from the defaults",
               Offer::File,
               +[](SetArgs& a, const Given& g) {
                   if (a.jsonPath) throw UsageError("set: --from-json is given twice");
                   a.jsonPath = g.value;
               }),
        StrictFlag<SetArgs>(),
        Option("-o", "OUT",
               "save to OUT instead of over FILE (- for standard output); with --port, save the configuration read "
               "back",
               Offer::ConfigFile, Keep<&SetArgs::output>),
        JsonFlag<SetArgs>("with --port: one JSON object per port, with what changed on the module").InForms(kOnModule),
    };
    rows.push_back(NoBackupFlag<SetArgs>().InForms(kOnModule));
    for (const Row<SetArgs>& row : OperationOptions<SetArgs>()) rows.push_back(row.InForms(kOnModule));
    rows.push_back(SeveralPorts<SetArgs>().InForms(kOnModule));
    return rows;
}

}  // namespace

Command SetCommand() {
    return Declare<SetArgs>({
        .name = "set",
        .usage = "FILE|--port P [PORT OPTIONS] [--from-json J|-] [NAME=VALUE]... [--strict] [-o OUT] [--json]",
        .summary = "change settings in FILE and save it, or with --port on the module (read, change, write, read back)",
        .rows = SetRows(),
        .exits = {{0, "done (with --port: the module holds what was written)"},
                  {1, "the module or port failed, or the module holds something else than was written"},
                  {2, "usage error, or a file that cannot be loaded or saved (the reason printed)"},
                  {3, "declined: a question answered No ended the command (with --port)"},
                  {130, "cancelled with Ctrl-C, nothing changed on the module"}},
        .examples = {"qxcfg set site.X7R mode=auto-connect-master dest1.repeater1=5 dest1.address=12",
                     "qxcfg set --port /dev/ttyUSB0 s7=9 serial.baud=19200"},
        .run = Set,
        .forms = {Form{"set"}, Form{"set --port", "--port", "unexpected argument", " (settings are NAME=VALUE)"}},
    });
}

}  // namespace qx::cli
