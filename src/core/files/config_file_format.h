#pragma once
// The .X7R configuration file: one text line of the 40 AT tokens of the
// command list, each preceded by a space and with one space after the last,
// ended by CR LF. The tokens are rearranged so that the readout parser,
// which cuts its text at a few anchor keys, finds every key in order: the
// mode tokens AT&L, AT&N, AT&M move up behind AT&K, and the S-register
// tokens carry ":" for "=" as a module listing does (the command slots'
// listing keys).

#include <string>
#include <string_view>

#include "config/command_builder.h"

namespace qx {

inline constexpr std::string_view kConfigFileExtension = ".X7R";

// The 40 lines in slot order, each preceded by one space.
std::string JoinConfigCommands(const ConfigCommandList& list);

// The file line made from the joined command text:
//   the text up to and including the first space after "AT&K",
//   then from "AT&L" to the end, a space,
//   then from "AT&S" up to (not including) "AT&L";
//   every register's command ("ATS7=") then ends in ":" ("ATS7:").
std::string ConfigFileLine(std::string_view commandText);

}  // namespace qx
