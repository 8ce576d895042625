// qxcfg find: looks for the module on the port at every host rate and
// character format (see ModuleFinder) and prints where it answered:
//
//   settings=--baud 19200 --format E-7-1
//   identification=QX7T-R Radio Modem V1.95 SIM
//
// Each setting tried is reported on standard error. The window offers the
// settings found as its host settings; here they are printed for the next
// command's port options.
//
// Where the escape sequence is tried, the escape characters are tried in
// turn: --escape-char (else the factory "+") first, then those a user most
// likely gave the module instead, or the list of --escape-chars. A module
// that took another than the factory one is printed with it
// (settings=--baud 9600 --format N-8-1 --escape-char 35). --json prints
// the port's object, found or not:
//   {"port": "/dev/ttyUSB0", "result": "ok", "exit": 0, "found": true, "tried": 2, "baud": 19200, ...}

#include <algorithm>

#include "app/escape_character.h"
#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/each_port.h"
#include "cli/json_text.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "operations/module_finder.h"
#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"
#include "serial/serial_errors.h"

namespace qx::cli {

namespace {

// After the factory "+": "#" and "*", the characters users pick when "+"
// is in their data. Each costs about 1.4 s at each of the 12 rates on a
// port where nothing answers.
const std::vector<int> kLikelyEscapeCodes = {EscapeCharacter::kDefault, 35, 42};

// "43,35" -> {43, 35}: codes 1..255, each once.
std::vector<int> ParseEscapeCodes(const std::string& text) {
    std::vector<int> codes;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const int code = static_cast<int>(ParseIntArg(text.substr(start, end - start), 1, 255, "--escape-chars"));
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
        start = end + 1;
    }
    return codes;
}

// The escape characters to try, in order: --escape-char first.
std::vector<int> EscapeOrder(const OnlineOptions& online, const std::optional<std::vector<int>>& given) {
    std::vector<int> codes = given.value_or(kLikelyEscapeCodes);
    if (online.escapeCode) {
        std::erase(codes, *online.escapeCode);
        codes.insert(codes.begin(), *online.escapeCode);
    }
    return codes;
}

// "--baud 19200 --format E-7-1": what the other commands take.
std::string PortOptionsText(const FindResult& found) {
    const SerialSettingsTexts texts = DisplaySerialSettings(found.settings);
    std::string text = "--baud " + texts.rate + " --format " + texts.other;
    if (found.escapeCode && *found.escapeCode != EscapeCharacter::kDefault)
        text += " --escape-char " + std::to_string(*found.escapeCode);
    return text;
}

// {"found": true, "tried": 1, "baud": 9600, ...}: the members of the port's object.
JsonLine FoundJson(const FindResult& result) {
    JsonLine line;
    line.Flag("found", result.Found()).Number("tried", static_cast<long long>(result.attempts));
    if (result.Found()) {
        const SerialSettingsTexts texts = DisplaySerialSettings(result.settings);
        line.Number("baud", std::stoi(texts.rate)).Text("format", texts.other);
        if (result.escapeCode) line.Number("escape-char", *result.escapeCode);
        line.Text("identification", result.identification);
    }
    return line;
}

struct FindArgs {
    OnlineOptions online;
    std::optional<std::vector<int>> escapes;
    bool json = false;
};

PortResult FindOnPort(CliContext& context, const OnlineOptions& online, const FindArgs& args) {
    const ChannelFactory open = [&](const HostSerialSettings& settings) {
        return online.Open(context, settings, online.Setup(context.variant));
    };
    FindCallbacks callbacks;
    callbacks.trying = [&context](const FindAttempt& attempt) {
        context.err << "Trying " << SettingsText(attempt.settings) << " (" << attempt.number << '/' << attempt.count
                    << ")...\n"
                    << std::flush;
    };
    callbacks.cancelled = [] { return InterruptRequested(); };
    InterruptGuard interrupt;
    std::optional<FindResult> scanned;
    try {
        scanned = FindModule(online.port.Settings(), open, callbacks, {}, EscapeOrder(online, args.escapes));
    } catch (const EOpenAbandoned&) {
        return {Conclude(context, OperationOutcome::Cancelled()), {}};
    } catch (const std::exception& e) {
        const std::string report = ReportFor(ReportSite::ModuleOperation, context.variant.ProductName, e);
        context.err << ErrorLines(report);
        return {kExitFailure, report};
    }
    const FindResult& result = *scanned;
    if (result.outcome.IsFailed()) context.err << ErrorLines(result.outcome.text);
    PortResult found{Conclude(context, result.outcome), result.outcome.text};
    found.details = FoundJson(result);
    if (!args.json && result.outcome.IsDone()) {
        context.out << "settings=" << PortOptionsText(result) << '\n'
                    << "identification=" << result.identification << '\n';
    }
    return found;
}

int Find(CliContext& context, FindArgs& args) {
    const OnlineOptions& online = args.online;
    online.RequireOnePort("find");
    if (online.port.CarriesBytesOnly())
        throw UsageError("find cannot search " + online.port.Ports().PathFor(online.port.Settings().PortIndex) +
                         ": a socket:// port carries bytes only, and its line settings are the port server's own, "
                         "so no rate or format can be tried (rfc2217:// can)");
    return RunOnPorts(context, online, args.json,
                      [&args](CliContext& own, const OnlineOptions& one) { return FindOnPort(own, one, args); });
}

}  // namespace

Command FindCommand() {
    return Declare<FindArgs>({
        .name = "find",
        .usage = "[PORT OPTIONS] [--escape-chars LIST] [--json]",
        .summary = "try every rate and format until the module answers",
        .rows = Join({Option("--escape-chars", "LIST",
                             "the escape characters to try in turn, codes separated by commas (default 43,35,42: "
                             "\"+\", \"#\", \"*\"; --escape-char first)",
                             Offer::Nothing, +[](FindArgs& a, const Given& g) { a.escapes = ParseEscapeCodes(g.value); }),
                      JsonFlag<FindArgs>("print what was found as one JSON object")},
                     OperationOptions<FindArgs>()),
        .exits = {{0, "found (the settings printed)"},
                  {1, "not found, or the port failed"},
                  {2, "usage error"},
                  {130, "cancelled with Ctrl-C"}},
        .examples = {"qxcfg find --port /dev/ttyUSB0"},
        .run = Find,
    });
}

}  // namespace qx::cli
