#pragma once
// The options of qxcfg as a whole, one table: the model the commands work
// for, how questions are answered, where the module history is kept (or
// that nothing is), and the help and version (which end the program). They
// stand before the command; all but the help and version are also taken
// after it, among the command's own options ("qxcfg restore --port P
// --yes"). A further global option is a further row, and a member here
// when the commands need what it says.

#include <optional>
#include <string>
#include <vector>

#include "app/model_variant.h"
#include "cli/cli_prompter.h"
#include "cli/option_table.h"

namespace qx::cli {

enum class GlobalAction { None, Overview, Version };

struct GlobalOptions {
    ModelVariant variant = ModelVariant::Main();
    AnswerPolicy answers = AnswerPolicy::Ask;
    std::optional<std::string> historyFile;  // --history FILE
    bool noHistory = false;                  // --no-history
    GlobalAction action = GlobalAction::None;  // set: printed at once, and the program ends
};

// Every global option, as they stand before the command.
const std::vector<Row<GlobalOptions>>& GlobalOptionRows();
// Those a command also takes among its own options: what it works with
// (the model, the answers, the history), not what ends the program.
const std::vector<Row<GlobalOptions>>& CommandGlobalRows();

}  // namespace qx::cli
