#pragma once
// Writing a workspace's configuration to the module as the window's
// Configure does and, when asked, reading the module back and listing every
// setting it holds otherwise (write --verify, set --port). The port options
// say how the module talks now; the host follows a new rate or format as
// the module takes it, and a write that moved the module's rate, format or
// escape character says how it is reached now (module_reach.h).
//
// Printed on standard output unless JSON is wanted (then everything is in
// the result's details): the new reach, each difference
// ("S7 Connection Attempts (ATS7=): wrote 9, module has 5") and
// "verified: the module holds the configuration written".

#include <memory>

#include "operations/workspace.h"
#include "cli/each_port.h"
#include "cli/online_options.h"

namespace qx::cli {

struct WriteRequest {
    bool verify = false;
    bool json = false;
};

struct ModuleWrite {
    PortResult result;
    // The module as read back (when verified), for a caller that shows it.
    std::unique_ptr<Workspace> readBack;
};

ModuleWrite WriteToModule(CliContext& context, const OnlineOptions& online, Workspace& workspace,
                          const WriteRequest& request);

}  // namespace qx::cli
