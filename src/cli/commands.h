#pragma once
// Every qxcfg command: its name, synopsis, summary, option table, exit
// codes and examples, and what it runs. Each command declares itself in its
// own cmd_*.cpp; `qxcfg help COMMAND`, `qxcfg COMMAND --help`, the manual
// page and the shell completion are all made from these records.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/global_options.h"
#include "cli/option_table.h"

namespace qx::cli {

struct CliContext;
struct ModuleChange;

// Where a command prints, the user's terminal (null: nobody to ask), and
// where it leaves what it changed on the module, for the report of an
// output that could not be written (null: nobody asks).
struct CliStreams {
    std::ostream& out;
    std::ostream& err;
    std::istream* terminal = nullptr;
    ModuleChange* change = nullptr;
};

// Runs `body` in the context of the command `name` started with `global`
// (cli_app.cpp).
int RunInContext(const GlobalOptions& global, const CliStreams& streams, std::string_view name,
                 const std::function<int(CliContext&)>& body);

struct ExitHelp {
    int code;
    std::string_view meaning;
};

struct Command {
    std::string_view name;
    std::string_view usage;    // one line: the arguments after the command name
    std::string_view summary;  // one line: what the command does
    std::vector<RowInfo> rows;
    std::vector<Form> forms;
    std::vector<ExitHelp> exits;
    std::vector<std::string_view> examples;  // command lines
    // Parses the arguments after the command's name (the global options
    // a command also takes among them complete `global`) and runs it.
    std::function<int(const GlobalOptions& global, const CliStreams& streams, const std::vector<std::string>& args)> run;
};

// A command as its cmd_*.cpp declares it, with the arguments (Args) its
// table fills.
template <typename Args>
struct CommandDeclaration {
    std::string_view name;
    std::string_view usage;
    std::string_view summary;
    std::vector<Row<Args>> rows;
    std::vector<ExitHelp> exits;
    std::vector<std::string_view> examples;
    int (*run)(CliContext& context, Args& args);
    std::vector<Form> forms = {};  // more than one: the first is taken without a selector
};

template <typename Args>
Command Declare(CommandDeclaration<Args> declared) {
    std::vector<Form> forms = declared.forms;
    if (forms.empty()) forms.push_back(Form{declared.name});
    Command command{declared.name, declared.usage, declared.summary, Infos(declared.rows), forms,
                    declared.exits, declared.examples, {}};
    command.run = [rows = std::move(declared.rows), forms, name = declared.name, run = declared.run](
                      const GlobalOptions& before, const CliStreams& streams, const std::vector<std::string>& words) {
        Args args;
        GlobalOptions global = before;
        const std::vector<Row<GlobalOptions>>& globalRows = CommandGlobalRows();
        std::vector<RowInfo> infos = Infos(rows);
        for (const Row<GlobalOptions>& row : globalRows) infos.push_back(row.info);
        ParseArguments(infos, forms, words, [&](std::size_t row, const Given& given) {
            if (row < rows.size())
                rows[row].set(args, given);
            else
                globalRows[row - rows.size()].set(global, given);
        });
        // The port options are judged together, once all are read.
        if constexpr (requires { args.online.CheckLineOptions(); }) args.online.CheckLineOptions();
        return RunInContext(global, streams, name, [&](CliContext& context) { return run(context, args); });
    };
    return command;
}

// The exit codes of the commands that work on a module or a file: every
// code qxcfg gives (restore, the one command that asks a question whose No
// ends it, gives them all); those of a module command without such a
// question; those of the file commands.
const std::vector<ExitHelp>& OperationExits();
const std::vector<ExitHelp>& ModuleExits();
const std::vector<ExitHelp>& FileExits();

// Every command qxcfg knows, in the order the help lists them.
const std::vector<Command>& Commands();
// The command of that name, or nullptr.
const Command* CommandNamed(std::string_view name);

}  // namespace qx::cli
