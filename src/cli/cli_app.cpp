#include <exception>

#include "cli/arg_reader.h"
#include "cli/cli_context.h"
#include "cli/usage_error.h"
#include "config/integer_text.h"
#include "files/file_errors.h"

namespace qx::cli {

namespace {

void PrintUsage(std::ostream& os) {
    os << "usage: qxcfg [--model QX7T-R|QX5T] [--yes|--no] COMMAND [ARGS]\n\ncommands:\n";
    for (const Command& c : Commands()) os << "  qxcfg " << c.name << ' ' << c.usage << '\n';
    os << "\nPORT OPTIONS: [--port COMn|PATH] [--baud RATE] [--format N-8-1|E-7-1|O-7-1|E-7-2|O-7-2]\n"
          "              [--com N=PATH]... [--escape-char CODE] [--verbose] [--log FILE]\n";
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, std::istream* terminal) {
    ModelVariant variant = ModelVariant::Main();
    AnswerPolicy answers = AnswerPolicy::Ask;
    try {
        ArgReader reader(args);
        // Global options stand before the command.
        while (!reader.AtEnd() && reader.Peek().starts_with("--")) {
            if (reader.TakeFlag("--yes")) {
                answers = AnswerPolicy::Yes;
            } else if (reader.TakeFlag("--no")) {
                answers = AnswerPolicy::No;
            } else if (reader.TakeFlag("--help") || reader.TakeFlag("-h")) {
                PrintUsage(out);
                return kExitOk;
            } else if (auto model = reader.TakeOption("--model")) {
                auto v = VariantByProductName(*model);
                if (!v) throw UsageError("--model takes QX7T-R or QX5T, not '" + *model + "'");
                variant = *v;
            } else {
                throw UsageError("unknown option '" + reader.Peek() + "'");
            }
        }
        if (reader.AtEnd()) throw UsageError("no command given");
        const std::string name = reader.Next();
        std::vector<std::string> rest;
        while (!reader.AtEnd()) rest.push_back(reader.Next());
        for (const Command& c : Commands()) {
            if (name == c.name) {
                CliContext context(variant, answers, out, err, terminal);
                return c.run(context, std::move(rest));
            }
        }
        throw UsageError("unknown command '" + name + "'");
    } catch (const UsageError& e) {
        err << "qxcfg: " << e.what() << '\n';
        PrintUsage(err);
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
