#include <algorithm>
#include <exception>

#include "cli/arg_reader.h"
#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/help_text.h"
#include "cli/usage_error.h"
#include "config/integer_text.h"
#include "files/file_errors.h"

namespace qx::cli {

namespace {

// "--help" or "-h" anywhere after the command asks for its help, whatever
// else is there: the command is then not run.
bool AsksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

}  // namespace

int RunHelp(CliContext& context, std::vector<std::string> args) {
    if (args.empty()) {
        PrintOverview(context.out);
    } else if (args.size() == 1 && args[0] == "--all") {
        PrintFullHelp(context.out);
    } else if (args.size() == 1) {
        const Command* command = FindCommand(args[0]);
        if (!command) throw UsageError("help: unknown command '" + args[0] + "'");
        PrintCommandHelp(context.out, *command);
    } else {
        throw UsageError("help takes one command");
    }
    return kExitOk;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, std::istream* terminal) {
    ModelVariant variant = ModelVariant::Main();
    AnswerPolicy answers = AnswerPolicy::Ask;
    const Command* command = nullptr;
    try {
        ArgReader reader(args);
        // Global options stand before the command.
        while (!reader.AtEnd() && reader.Peek().starts_with("-")) {
            if (reader.TakeFlag("--yes")) {
                answers = AnswerPolicy::Yes;
            } else if (reader.TakeFlag("--no")) {
                answers = AnswerPolicy::No;
            } else if (reader.TakeFlag("--help") || reader.TakeFlag("-h")) {
                PrintOverview(out);
                return kExitOk;
            } else if (reader.TakeFlag("--version")) {
                PrintVersion(out);
                return kExitOk;
            } else if (auto model = reader.TakeOption("--model")) {
                auto v = VariantByProductName(*model);
                if (!v) throw UsageError("--model takes " + ProductNames(" or ") + ", not '" + *model + "'");
                variant = *v;
            } else {
                throw UsageError("unknown option '" + reader.Peek() + "'");
            }
        }
        if (reader.AtEnd()) throw UsageError("no command given");
        const std::string name = reader.Next();
        command = FindCommand(name);
        if (!command) throw UsageError("unknown command '" + name + "'");
        std::vector<std::string> rest;
        while (!reader.AtEnd()) rest.push_back(reader.Next());
        if (AsksForHelp(rest)) {
            PrintCommandHelp(out, *command);
            return kExitOk;
        }
        CliContext context(variant, answers, out, err, terminal);
        // On a terminal the progress bar shows what is going on.
        if (!StderrIsTerminal()) context.waits.SayWith([&context](const std::string& line) { context.ErrLine(line); });
        return command->run(context, std::move(rest));
    } catch (const UsageError& e) {
        err << "qxcfg: " << e.what() << '\n';
        PrintUsageHint(err, command);
        return kExitUsage;
    } catch (const EFileError& e) {
        // A file that cannot be read or written.
        err << "qxcfg: " << e.what() << '\n';
        return kExitUsage;
    } catch (const EConvertError& e) {
        // A captured listing the parser refuses: the file's fault.
        err << "qxcfg: " << e.what() << '\n';
        return kExitUsage;
    } catch (const std::exception& e) {
        err << "qxcfg: " << e.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace qx::cli
