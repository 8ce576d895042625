#include "cli/help_text.h"

#include <algorithm>
#include <string>

#include "app/version_block.h"
#include "cli/global_options.h"

namespace qx::cli {

namespace {

constexpr const char* kSynopsis = "qxcfg [--model QX7T-R|QX5T] [--yes|--no] [--history FILE|--no-history] COMMAND [ARGS]";

constexpr std::size_t kLineWidth = 79;

// `text` from column `column` on, broken between words before kLineWidth;
// continued lines start at that column too.
void PrintWrapped(std::ostream& os, std::string_view text, std::size_t column) {
    const std::size_t room = kLineWidth > column + 20 ? kLineWidth - column : 20;
    while (text.size() > room) {
        std::size_t cut = text.rfind(' ', room);
        if (cut == std::string_view::npos || cut == 0) cut = std::min(text.find(' '), text.size());
        os << text.substr(0, cut) << '\n' << std::string(column, ' ');
        text.remove_prefix(std::min(cut + 1, text.size()));
    }
    os << text << '\n';
}

// Two-column lines: the left column padded to the widest entry (within
// reason), so that the texts line up.
template <typename Line, typename Left, typename Right>
void PrintColumns(std::ostream& os, const std::vector<Line>& rows, Left left, Right right, const char* indent) {
    std::size_t width = 0;
    for (const Line& row : rows) width = std::max(width, std::string(left(row)).size());
    width = std::min<std::size_t>(width, 24);
    const std::size_t column = std::string_view(indent).size() + width + 2;
    for (const Line& row : rows) {
        const std::string key = left(row);
        os << indent << key;
        if (key.size() > width)
            os << '\n' << std::string(column, ' ');
        else
            os << std::string(width + 2 - key.size(), ' ');
        PrintWrapped(os, right(row), column);
    }
}

// The rows a help lists: those with a help text.
std::vector<RowInfo> Listed(const std::vector<RowInfo>& rows) {
    std::vector<RowInfo> listed;
    for (const RowInfo& row : rows)
        if (!row.help.empty()) listed.push_back(row);
    return listed;
}

void PrintOptions(std::ostream& os, const std::vector<RowInfo>& rows, const char* indent) {
    PrintColumns(os, Listed(rows), [](const RowInfo& r) { return r.HelpName(); },
                 [](const RowInfo& r) { return r.help; }, indent);
}

void PrintExits(std::ostream& os, const std::vector<ExitHelp>& exits, const char* indent) {
    PrintColumns(os, exits, [](const ExitHelp& e) { return std::to_string(e.code); },
                 [](const ExitHelp& e) { return e.meaning; }, indent);
}

std::string Capitalised(std::string_view text) {
    std::string s(text);
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s + ".";
}

}  // namespace

void PrintOverview(std::ostream& os) {
    os << "Usage: " << kSynopsis << "\n"
       << "  or:  qxcfg help COMMAND\n"
       << "  or:  qxcfg --version\n\n"
       << "Reads, writes, checks and tests QX7T-R and QX5T radio modems from the command\n"
       << "line, through the same rules as the desktop window (Cfg_QX7TR). Messages and\n"
       << "questions go to standard error as one line \"KIND: text\" each.\n\n"
       << "Commands:\n";
    PrintColumns(os, Commands(), [](const Command& c) { return std::string(c.name); },
                 [](const Command& c) { return c.summary; }, "  ");
    os << "\nOptions:\n";
    PrintOptions(os, Infos(GlobalOptionRows()), "  ");
    os << "\nExit status:\n";
    PrintExits(os, OperationExits(), "  ");
    os << "Each command's help lists the codes it gives.\n\n"
       << "Examples:\n"
       << "  $ qxcfg new -o site.X7R --sysaddr 17\n"
       << "  $ qxcfg set site.X7R OperatingMode=3 Z0_Dest=12\n"
       << "  $ qxcfg write --port /dev/ttyUSB0 site.X7R --verify\n"
       << "  $ qxcfg help write\n";
}

void PrintCommandHelp(std::ostream& os, const Command& command) {
    os << "Usage: qxcfg [GLOBAL OPTIONS] " << command.name << ' ' << command.usage << "\n\n"
       << Capitalised(command.summary) << "\n";
    if (!Listed(command.rows).empty()) {
        os << "\nOptions:\n";
        PrintOptions(os, command.rows, "  ");
    }
    os << "\nExit status:\n";
    PrintExits(os, command.exits, "  ");
    os << "\nExample" << (command.examples.size() > 1 ? "s" : "") << ":\n";
    for (std::string_view example : command.examples) os << "  $ " << example << '\n';
}

void PrintFullHelp(std::ostream& os) {
    PrintOverview(os);
    os << "\n*Commands in detail*\n";
    for (const Command& command : Commands()) {
        os << "qxcfg " << command.name << ' ' << command.usage << ":\n"
           << "  " << Capitalised(command.summary) << "\n\n";
        if (!Listed(command.rows).empty()) {
            PrintOptions(os, command.rows, "  ");
            os << '\n';
        }
        std::string exits;
        for (const ExitHelp& e : command.exits)
            exits += (exits.empty() ? "" : "; ") + std::to_string(e.code) + " " + std::string(e.meaning);
        os << "  Exit status: " << exits << ".\n\n  Example: " << command.examples.front() << "\n\n";
    }
}

void PrintUsageHint(std::ostream& os, const Command* command) {
    if (command)
        os << "Usage: qxcfg " << command->name << ' ' << command->usage << "\n"
           << "Try 'qxcfg help " << command->name << "' for more.\n";
    else
        os << "Usage: " << kSynopsis << "\nTry 'qxcfg --help' for the commands.\n";
}

void PrintVersion(std::ostream& os) { os << OwnVersionBanner("qxcfg") << '\n'; }

}  // namespace qx::cli
