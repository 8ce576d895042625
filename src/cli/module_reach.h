#pragma once
// How the module is reached after a write that changed its serial rate,
// character format or escape character. The port options said how it
// talked before; a command run with them again would wait for a module
// that no longer listens there, so the write says where it is now:
//
//   module now answers at 57600 N-8-1, escape character 35 (--baud 57600 --format N-8-1 --escape-char 35)

#include <optional>
#include <string>

#include "cli/json_text.h"
#include "cli/online_options.h"
#include "config/working_config.h"

namespace qx::cli {

struct ModuleReach {
    std::string rate;    // the module's rate ("57600"; "93750")
    std::string format;  // as this computer sets it ("N-8-1"; zero parity is none here)
    int escapeCode = 0;
    bool hostCanUse = true;  // false: a rate this computer's port cannot be set to
    // The rate or format moved on a port whose line settings are the port
    // server's (socket://): this connection cannot follow the module.
    bool connectionLeftBehind = false;
};

// None when the written configuration keeps the module where the port
// options (and --escape-char) found it.
std::optional<ModuleReach> ReachAfterWrite(const OnlineOptions& online, const WorkingConfig& written);

std::string ReachText(const ModuleReach& reach);
// The command that reads the module where it answers after `written` went
// to it: "qxcfg read --port P --baud 19200 --format N-8-1" (and its escape
// character when not the factory one).
std::string ReadCommandAfterWrite(const OnlineOptions& online, const WorkingConfig& written);
// {"baud": 57600, "format": "N-8-1", "escape-char": 35}
std::string ReachJson(const ModuleReach& reach);

}  // namespace qx::cli
