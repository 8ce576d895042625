#include "cli/commands.h"

namespace qx::cli {

// Each declared in its own cmd_*.cpp.
Command ShowCommand();
Command NewCommand();
Command SetCommand();
Command FieldsCommand();
Command CommandsCommand();
Command ParseListingCommand();
Command IdentifyCommand();
Command ConsoleCommand();
Command ReadCommand();
Command GetCommand();
Command WriteCommand();
Command RestoreCommand();
Command TxBerCommand();
Command RxBerCommand();
Command FindCommand();
Command DiffCommand();
Command PortsCommand();
Command HistoryCommand();
Command HelpCommand();

const std::vector<ExitHelp>& OperationExits() {
    static const std::vector<ExitHelp> exits = {
        {0, "done"},
        {1, "the module or port failed (its report printed)"},
        {2, "usage or file error"},
        {3, "declined: a question answered No ended the command"},
        {130, "cancelled with Ctrl-C, nothing changed on the module"},
    };
    return exits;
}

const std::vector<ExitHelp>& ModuleExits() {
    static const std::vector<ExitHelp> exits = [] {
        std::vector<ExitHelp> all = OperationExits();
        std::erase_if(all, [](const ExitHelp& e) { return e.code == 3; });
        return all;
    }();
    return exits;
}

const std::vector<ExitHelp>& FileExits() {
    static const std::vector<ExitHelp> exits = {
        {0, "done"},
        {2, "usage error, or a file that cannot be loaded or saved (the reason printed)"},
    };
    return exits;
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        ShowCommand(),     NewCommand(),     SetCommand(),   FieldsCommand(), CommandsCommand(), ParseListingCommand(),
        IdentifyCommand(), ConsoleCommand(), ReadCommand(),  GetCommand(),    WriteCommand(),    RestoreCommand(),
        TxBerCommand(),    RxBerCommand(),   FindCommand(),  DiffCommand(),   PortsCommand(),    HistoryCommand(),
        HelpCommand(),
    };
    return commands;
}

const Command* CommandNamed(std::string_view name) {
    for (const Command& c : Commands())
        if (name == c.name) return &c;
    return nullptr;
}

}  // namespace qx::cli
