#pragma once
// Splits one command line into the module's commands.
//
// A line holds "AT" followed by commands; a further "AT" inside the line is
// taken as a separator, so "AT&WATZ" and "ATC8AT&B3AT&WATZ" are several
// commands on one line. Command letters are case-insensitive. Shapes:
//   letter or "&"/"\" + letter, then optional digits   B0  &K5  \T0  Z  I
//   "S" register number, then "=" digits or "?"         S14=255  S2?
//   "&Z" list number, then "=" list of digits and commas, or "?"   &Z0=3,4,7

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::sim {

struct AtCommand {
    std::string name;  // upper case: "B", "&K", "\T", "S", "&Z", "Z"...
    int index = -1;    // register or list number for "S" and "&Z"
    char op = 0;       // '=' or '?' for "S" and "&Z"
    std::string arg;   // the digits (or the list) that follow
};

// The text after the line's first "AT"; empty result when the line is
// malformed (the module answers "ERROR").
std::optional<std::vector<AtCommand>> ParseCommands(std::string_view body);

// Position just after the first "AT" (any case) in `line`, or npos.
std::size_t FindCommandStart(std::string_view line);

}  // namespace qx::sim
