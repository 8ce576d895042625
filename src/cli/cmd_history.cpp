// qxcfg history: the module history, newest first, one line per entry (id,
// time, port, model, address, what happened, outcome), narrowed by port,
// address, time and number; with --json one object per line. "history show
// ID" prints the configuration an entry kept, as show prints a file.

#include <algorithm>
#include <filesystem>

#include "app/utf8_path.h"
#include "cli/cli_history.h"
#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/configuration_operand.h"
#include "cli/field_output.h"
#include "cli/json_text.h"
#include "cli/local_time.h"
#include "cli/usage_error.h"
#include "files/communication_log_file.h"
#include "history/history_address.h"
#include "history/history_errors.h"
#include "history/history_operand.h"

namespace qx::cli {

namespace {

struct HistoryArgs {
    bool show = false;
    std::optional<std::string> id;
    HistoryFilter filter;
    bool filtered = false;  // a listing's option was given
    bool json = false;
};

std::string OptionalNumberJson(const std::optional<int>& value) { return value ? std::to_string(*value) : "null"; }

std::string EntryJson(const HistoryEntry& e) {
    return JsonLine()
        .Number("id", e.id)
        .Text("time", LogTimestamp(std::chrono::system_clock::time_point(std::chrono::milliseconds(e.timeMs))))
        .Text("port", e.port)
        .Text("device", e.device)
        .Text("by-id", e.byIdPath)
        .Text("model", e.model)
        .Text("firmware", e.firmware)
        .Raw("system-address", OptionalNumberJson(e.systemAddress))
        .Raw("unit-address", OptionalNumberJson(e.unitAddress))
        .Text("what", HistoryKindName(e.kind))
        .Text("program", e.program)
        .Text("command", e.command)
        .Text("outcome", e.outcome)
        .Str();
}

// The entries as a table, its columns lined up; the outcome last, as long as it is.
void PrintEntries(std::ostream& out, const std::vector<HistoryEntry>& entries) {
    std::vector<std::vector<std::string>> rows = {{"ID", "TIME", "PORT", "MODEL", "ADDRESS", "WHAT", "OUTCOME"}};
    for (const HistoryEntry& e : entries)
        rows.push_back({std::to_string(e.id), LocalTimeText(e.timeMs), e.port, e.model, HistoryAddressText(e),
                        std::string(HistoryKindName(e.kind)), e.outcome});
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c + 1 < row.size(); ++c) line += row[c] + std::string(widths[c] - row[c].size() + 2, ' ');
        out << line << row.back() << '\n';
    }
}

// The history file when it is not there yet; none when it is, or there is no place for it.
std::optional<std::string> MissingHistoryFile(const GlobalOptions& global) {
    try {
        const std::string path = HistoryFilePath(global);
        std::error_code ec;
        if (!std::filesystem::exists(PathFromUtf8(path), ec)) return path;
    } catch (const EHistoryError&) {
    }
    return std::nullopt;
}

int ListHistory(CliContext& context, const HistoryArgs& args) {
    std::vector<HistoryEntry> entries;
    try {
        entries = OpenHistory(context.global)->List(args.filter);
    } catch (const EHistoryUnavailable& e) {
        Tell(context.prompter, MessageKind::Error, e.what());
        return kExitUsage;
    } catch (const EHistoryError& e) {
        // None kept yet is no failure: there is nothing to list.
        if (const auto missing = MissingHistoryFile(context.global)) {
            context.err << "qxcfg: no module history is kept yet (" << *missing << ")\n";
            return kExitOk;
        }
        Tell(context.prompter, MessageKind::Error, e.what());
        return kExitUsage;
    }
    if (args.json) {
        for (const HistoryEntry& e : entries) context.out << EntryJson(e) << '\n';
    } else if (!entries.empty()) {
        PrintEntries(context.out, entries);
    }
    return kExitOk;
}

int ShowEntry(CliContext& context, const HistoryArgs& args) {
    if (!args.id) throw UsageError("history show: give the entry's ID (qxcfg history lists them)");
    if (args.filtered) throw UsageError("history show takes only ID and --json");
    auto workspace = StartWorkspace(context, std::nullopt);
    if (!LoadConfiguration(context, *workspace, std::string(kHistoryOperandPrefix) + *args.id)) return kExitUsage;
    PrintFields(*workspace, context.out, args.json);
    return kExitOk;
}

int History(CliContext& context, HistoryArgs& args) { return args.show ? ShowEntry(context, args) : ListHistory(context, args); }

}  // namespace

Command HistoryCommand() {
    return Declare<HistoryArgs>({
        .name = "history",
        .usage = "[--port P] [--address S[/U]] [--since DATE] [--limit K] [--json] | show ID [--json]",
        .summary = "list what was read from and written to modules, newest first; show ID prints one configuration",
        .rows =
            {
                Operand("show", "", Offer::Words, Accepts::Words, false, Raise<&HistoryArgs::show>),
                Operand("ID", "show ID: the entry's configuration, printed as show prints a file", Offer::Nothing,
                        Accepts::NoDash, false,
                        +[](HistoryArgs& a, const Given& g) {
                            try {
                                HistoryOperandId(std::string(kHistoryOperandPrefix) + g.value);
                            } catch (const EHistoryOperandError&) {
                                throw UsageError("history show: ID is an entry's number, not '" + g.value + "'");
                            }
                            a.id = g.value;
                        }),
                Option("--port", "P", "only the entries of port P (as given, its device or its by-id name)",
                       Offer::Port,
                       +[](HistoryArgs& a, const Given& g) {
                           a.filter.port = g.value;
                           a.filtered = true;
                       }),
                Option("--address", "S[/U]", "only the modules of system address S (and unit address U)",
                       Offer::Nothing,
                       +[](HistoryArgs& a, const Given& g) {
                           const auto address = ParseHistoryAddress(g.value);
                           if (!address)
                               throw UsageError("--address takes S or S/U, each from 0 to 255, not '" + g.value + "'");
                           FilterByAddress(a.filter, *address);
                           a.filtered = true;
                       }),
                Option("--since", "DATE", "only the entries from DATE on: YYYY-MM-DD [HH:MM[:SS]], local time",
                       Offer::Nothing,
                       +[](HistoryArgs& a, const Given& g) {
                           a.filter.sinceMs = ParseLocalTime(g.value);
                           if (!a.filter.sinceMs)
                               throw UsageError("--since takes YYYY-MM-DD [HH:MM[:SS]], not '" + g.value + "'");
                           a.filtered = true;
                       }),
                Option("--limit", "K", "at most the K newest entries", Offer::Nothing,
                       +[](HistoryArgs& a, const Given& g) {
                           a.filter.limit = static_cast<int>(ParseIntArg(g.value, 1, 1000000000, "--limit"));
                           a.filtered = true;
                       }),
                JsonFlag<HistoryArgs>("one JSON object per entry, on a line each (with show: the settings object)"),
            },
        .exits = {{0, "done (nothing listed when no history is kept yet)"},
                  {2, "usage error, or a history that cannot be read (the reason printed)"}},
        .examples = {"qxcfg history --port /dev/ttyUSB0 --limit 5", "qxcfg history show 12"},
        .run = History,
    });
}

}  // namespace qx::cli
