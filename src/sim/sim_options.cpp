#include "sim/sim_options.h"

#include "sim/number_text.h"

namespace qx::sim {
namespace {

bool IsFirmwareText(const std::string& text) {
    const std::size_t dot = text.find('.');
    return dot != std::string::npos && dot > 0 && dot + 1 < text.size() && ParseDecimal(text.substr(0, dot)) &&
           ParseDecimal(text.substr(dot + 1));
}

}  // namespace

std::string IndentedFaultNames(const std::string& indent) {
    std::string list =
        "silent, reject-xon, drop-after:N, garbage, slow:MS[:CMD], numeric, ignore-sreg:N,\n"
        "listing-cut:K, hangup-after:CMD";
    for (std::size_t at = list.find('\n'); at != std::string::npos; at = list.find('\n', at + 1))
        list.insert(at + 1, indent);
    return list;
}

std::string UsageText() {
    return "usage: qxsim --link PATH [--model QX7T-R|QX5T] [--firmware X.YY] [--state FILE]\n"
           "             [--online] [--baud RATE] [--format N-8-1|E-7-1|O-7-1|E-7-2|O-7-2]\n"
           "             [--guard MS] [--fault NAME]... [--verbose]\n"
           "faults: " + IndentedFaultNames("        ") + "\n";
}

SimOptions ParseOptions(const std::vector<std::string>& args) {
    SimOptions options;
    std::optional<unsigned> baud;
    std::optional<std::string> format;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--link") {
            options.link = value();
        } else if (arg == "--model") {
            options.model.name = value();
            if (options.model.name != "QX7T-R" && options.model.name != "QX5T") {
                throw UsageError("unknown model " + options.model.name);
            }
        } else if (arg == "--firmware") {
            options.model.firmware = value();
            if (!IsFirmwareText(options.model.firmware)) throw UsageError("firmware must look like 1.95");
        } else if (arg == "--state") {
            options.statePath = value();
        } else if (arg == "--online") {
            options.online = true;
        } else if (arg == "--baud") {
            const std::string text = value();
            const auto rate = ParseDecimal(text);
            if (!rate || !CodeOfRate(static_cast<unsigned>(*rate))) throw UsageError("unsupported rate " + text);
            baud = static_cast<unsigned>(*rate);
        } else if (arg == "--format") {
            format = value();
            if (!ParseFormat(*format, 9600)) throw UsageError("bad format " + *format);
        } else if (arg == "--guard") {
            const std::string text = value();
            const auto ms = ParseDecimal(text);
            if (!ms) throw UsageError("bad guard time " + text);
            options.guard = Millis(*ms);
        } else if (arg == "--fault") {
            const std::string text = value();
            if (!AddFault(text, options.faults)) throw UsageError("unknown fault " + text);
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            throw UsageError("unknown argument " + arg);
        }
    }
    if (options.link.empty() && !options.help && !options.version) throw UsageError("--link PATH is required");
    if (baud || format) {
        // Missing halves come from the factory line, 9600 bit/s N-8-1.
        options.line = ParseFormat(format.value_or("N-8-1"), baud.value_or(9600));
    }
    return options;
}

}  // namespace qx::sim
