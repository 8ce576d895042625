#pragma once
// Every qxcfg command: its name, synopsis, summary, option table, exit
// codes and examples, and what it runs. Each command declares itself in its
// own cmd_*.cpp; `qxcfg help COMMAND`, `qxcfg COMMAND --help`, the manual
// page and the shell completion are all made from these records.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/option_table.h"

namespace qx::cli {

struct CliContext;

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
    // Parses the arguments after the command's name and runs it.
    std::function<int(CliContext& context, const std::vector<std::string>& args)> run;
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
    command.run = [rows = std::move(declared.rows), forms, run = declared.run](
                      CliContext& context, const std::vector<std::string>& words) {
        Args args;
        ParseArguments(Infos(rows), forms, words, Applier(rows, args));
        // The port options are judged together, once all are read.
        if constexpr (requires { args.online.CheckLineOptions(); }) args.online.CheckLineOptions();
        return run(context, args);
    };
    return command;
}

// The exit codes of the commands that work on a module or a file.
const std::vector<ExitHelp>& OperationExits();
const std::vector<ExitHelp>& FileExits();
const std::vector<ExitHelp>& LinkExits();

// Every command qxcfg knows, in the order the help lists them.
const std::vector<Command>& Commands();
// The command of that name, or nullptr.
const Command* CommandNamed(std::string_view name);

}  // namespace qx::cli
