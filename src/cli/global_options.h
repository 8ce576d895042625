#pragma once
// The options that stand before a qxcfg command, one table: the model the
// commands work for, how questions are answered, where the module history
// is kept (or that nothing is), and the help and version (which end the
// program). A further global option is a further row, and
// a member here when the commands need what it says.

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

const std::vector<Row<GlobalOptions>>& GlobalOptionRows();

}  // namespace qx::cli
