#pragma once
// What qxcfg set is given, in either of its forms: "set FILE" changes a
// configuration file (cmd_set.cpp, where both forms are declared), "set
// --port P" the module itself (cmd_set_module.cpp).

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/online_options.h"

namespace qx::cli {

struct SetArgs {
    OnlineOptions online;                 // --port and how to reach the module
    std::optional<std::string> file;      // the file form's FILE
    std::vector<std::string> actions;     // NAME=VALUE, in order
    std::optional<std::string> jsonPath;  // --from-json J
    bool strict = false;
    bool json = false;
    std::optional<std::string> output;    // -o
};

// set --port: the settings changed on the module itself.
int SetOnModule(CliContext& context, SetArgs& args);

}  // namespace qx::cli
