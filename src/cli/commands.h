#pragma once
// Every qxcfg command: its entry point (each lives in its own cmd_*.cpp)
// and its help record, which `qxcfg help COMMAND`, `qxcfg COMMAND --help`,
// the manual page and the shell completion are made from.

#include <optional>
#include <string>
#include <vector>

namespace qx {
struct Workspace;
}

namespace qx::cli {

struct CliContext;

struct OptionHelp {
    const char* option;  // "--port COMn|PATH"
    const char* text;    // what it does, one line
};

struct ExitHelp {
    int code;
    const char* meaning;
};

struct Command {
    const char* name;
    const char* usage;    // one line: the arguments after the command name
    const char* summary;  // one line: what the command does
    std::vector<OptionHelp> options;
    std::vector<ExitHelp> exits;
    std::vector<const char*> examples;  // command lines
    int (*run)(CliContext& context, std::vector<std::string> args);
};

// The exit codes of the commands that work on a module or a file.
const std::vector<ExitHelp>& OperationExits();

// Every command qxcfg knows, in the order the help lists them.
const std::vector<Command>& Commands();
// The command of that name, or nullptr.
const Command* FindCommand(const std::string& name);

int RunShow(CliContext& context, std::vector<std::string> args);
int RunRead(CliContext& context, std::vector<std::string> args);
// Saves a module's configuration as read to `path` (when given) and says why
// it could not be; the exit code (0, or 2 when the save failed).
int SaveReadResult(CliContext& context, Workspace& workspace, const std::optional<std::string>& path);
int RunWrite(CliContext& context, std::vector<std::string> args);
int RunRestore(CliContext& context, std::vector<std::string> args);
int RunTxBer(CliContext& context, std::vector<std::string> args);
int RunRxBer(CliContext& context, std::vector<std::string> args);
int RunNew(CliContext& context, std::vector<std::string> args);
int RunSet(CliContext& context, std::vector<std::string> args);
// set --port: the settings changed on the module itself.
int RunSetOnModule(CliContext& context, std::vector<std::string> args);
int RunGet(CliContext& context, std::vector<std::string> args);
int RunCommands(CliContext& context, std::vector<std::string> args);
int RunParseListing(CliContext& context, std::vector<std::string> args);
int RunIdentify(CliContext& context, std::vector<std::string> args);
int RunConsole(CliContext& context, std::vector<std::string> args);
int RunFind(CliContext& context, std::vector<std::string> args);
int RunDiff(CliContext& context, std::vector<std::string> args);
int RunPorts(CliContext& context, std::vector<std::string> args);
int RunFields(CliContext& context, std::vector<std::string> args);
int RunHelp(CliContext& context, std::vector<std::string> args);

}  // namespace qx::cli
