#include "files/config_file_format.h"

#include "config/command_slots.h"

namespace qx {

namespace {

constexpr auto npos = std::string_view::npos;

// text[from, to) with both ends limited to the text; empty for from == npos.
std::string_view Piece(std::string_view text, std::size_t from, std::size_t to = npos) {
    if (from == npos || from >= text.size()) return {};
    if (to == npos || to > text.size()) to = text.size();
    return to > from ? text.substr(from, to - from) : std::string_view();
}

}  // namespace

std::string JoinConfigCommands(const ConfigCommandList& list) {
    std::string joined;
    for (const std::string& line : list) joined += " " + line;
    return joined;
}

std::string ConfigFileLine(std::string_view j) {
    const std::size_t flow = j.find("AT&K");
    const std::size_t spaceAfterFlow = flow == npos ? npos : j.find(' ', flow);
    const std::size_t mode = j.find("AT&L");
    const std::size_t address = j.find("AT&S");

    std::string line;
    line += spaceAfterFlow == npos ? j : j.substr(0, spaceAfterFlow + 1);
    line += Piece(j, mode);
    line += ' ';
    line += Piece(j, address, mode);

    // A register's command ends in "=" where a listing names it with ":"
    // ("ATS7=5" is written "ATS7:5"), so a file reads as a listing does.
    for (const CommandSlot& slot : kCommandSlots) {
        if (!slot.Written() || !slot.command.ends_with('=') || !slot.key.ends_with(':')) continue;
        for (std::size_t at = line.find(slot.command); at != npos; at = line.find(slot.command, at + 1))
            line[at + slot.command.size() - 1] = ':';
    }
    return line;
}

}  // namespace qx
