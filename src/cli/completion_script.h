#pragma once
// The bash completion of qxcfg, made at build time from the option tables:
// its logic is a script of its own (packaging/completion/qxcfg.bash.in),
// which names no command and no option; the tables it reads (the commands,
// each command's options, what each option's value and each operand is,
// the forms chosen by an option) are written here from the declarations,
// so the completion offers what the parse takes.

#include <ostream>
#include <string_view>

namespace qx::cli {

// The line of the logic that stands for the tables.
inline constexpr std::string_view kCompletionTablesMark = "@QXCFG_OPTION_TABLES@";

// The tables, as bash declarations.
void WriteCompletionTables(std::ostream& out);

// The whole script: `logic` with its mark line replaced by the tables.
void WriteCompletionScript(std::string_view logic, std::ostream& out);

}  // namespace qx::cli
