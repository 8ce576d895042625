#include <algorithm>
#include <exception>

#include "cli/cli_context.h"
#include "cli/cli_history.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/global_options.h"
#include "cli/help_text.h"
#include "cli/failure_report.h"
#include "cli/usage_error.h"

namespace qx::cli {

namespace {

// "--help" or "-h" anywhere after the command asks for its help, whatever
// else is there: the command is then not run.
bool AsksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

struct HelpArgs {
    std::vector<std::string> words;
};

int Help(CliContext& context, HelpArgs& args) {
    const auto& words = args.words;
    if (words.empty()) {
        PrintOverview(context.out);
    } else if (words.size() == 1 && words[0] == "--all") {
        PrintFullHelp(context.out);
    } else if (words.size() == 1) {
        const Command* command = CommandNamed(words[0]);
        if (!command) throw UsageError("help: unknown command '" + words[0] + "'");
        PrintCommandHelp(context.out, *command);
    } else {
        throw UsageError("help takes one command");
    }
    return kExitOk;
}

}  // namespace

int RunInContext(const GlobalOptions& global, const CliStreams& streams, std::string_view name,
                 const std::function<int(CliContext&)>& body) {
    CliContext context(global, streams.out, streams.err, streams.terminal);
    // On a terminal the progress bar shows what is going on.
    if (!StderrIsTerminal()) context.waits.SayWith([&context](const std::string& line) { context.ErrLine(line); });
    const auto history =
        RunRecorder(global, [&context](const std::string& note) { context.ErrLine("qxcfg: " + note); });
    if (history) history->BeginCommand(std::string(name));
    context.history = history.get();
    // What the command did to the module is known however it ends.
    struct KeepChange {
        const CliContext& context;
        ModuleChange* change;
        ~KeepChange() {
            if (change) *change = context.moduleChange;
        }
    } const keep{context, streams.change};
    return WithLogFailure(context, body(context));
}

Command HelpCommand() {
    return Declare<HelpArgs>({
        .name = "help",
        .usage = "[COMMAND]",
        .summary = "print the help of a command, or the list of commands",
        // "--all": every command's help at once, for the manual page.
        .rows = {Operand("COMMAND", "", Offer::Command, Accepts::Anything, true, Append<&HelpArgs::words>)},
        .exits = {{0, "done"}, {2, "no such command"}},
        .examples = {"qxcfg help write"},
        .run = Help,
    });
}

namespace {

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, std::istream* terminal,
               ModuleChange& change) {
    GlobalOptions global;
    const Command* command = nullptr;
    try {
        // Global options stand before the command (the model and the
        // answers may also follow it, among the command's own options).
        const std::vector<Row<GlobalOptions>>& rows = GlobalOptionRows();
        const std::size_t at = ParseLeadingOptions(Infos(rows), args, Applier(rows, global),
                                                   [&global] { return global.action != GlobalAction::None; });
        if (global.action == GlobalAction::Overview) {
            PrintOverview(out);
            return kExitOk;
        }
        if (global.action == GlobalAction::Version) {
            PrintVersion(out);
            return kExitOk;
        }
        if (at == args.size()) throw UsageError("no command given");
        command = CommandNamed(args[at]);
        if (!command) throw UsageError("unknown command '" + args[at] + "'");
        const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(at) + 1, args.end());
        if (AsksForHelp(rest)) {
            PrintCommandHelp(out, *command);
            return kExitOk;
        }
        return command->run(global, CliStreams{out, err, terminal, &change}, rest);
    } catch (const std::exception& e) {
        const int code = ReportException(err, e);
        if (dynamic_cast<const UsageError*>(&e)) PrintUsageHint(err, command);
        return code;
    }
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, std::istream* terminal) {
    ModuleChange change;
    const int code = RunCommand(args, out, err, terminal, change);
    return ConcludeOutput(out, err, code, change);
}

}  // namespace qx::cli
