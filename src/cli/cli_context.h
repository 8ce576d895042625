#pragma once
// What every qxcfg command gets: the model chosen with --model, the answer
// given with --yes / --no, the output streams and the prompter.

#include <iostream>
#include <string>
#include <vector>

#include "app/model_variant.h"
#include "cli/cli_prompter.h"

namespace qx::cli {

struct CliContext {
    ModelVariant variant = ModelVariant::Main();
    bool answerYes = true;
    std::ostream& out;
    std::ostream& err;
    CliPrompter prompter;

    CliContext(ModelVariant v, bool yes, std::ostream& o, std::ostream& e)
        : variant(std::move(v)), answerYes(yes), out(o), err(e), prompter(e, yes) {}
};

// Runs qxcfg with its arguments (without the program name); returns the exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qx::cli
