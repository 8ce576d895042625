#pragma once
// What the qxcfg commands that talk to a module share: the port options,
// the escape character, the live exchange on standard error (--verbose),
// the log file (--log), opening a channel with all of them, and running
// a module operation to its end with Ctrl-C as Cancel.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/operation_outcome.h"
#include "operations/workspace.h"
#include "cli/cli_context.h"
#include "cli/log_option.h"
#include "cli/port_options.h"
#include "cli/stop_request.h"
#include "config/command_builder.h"
#include "operations/module_operation.h"
#include "operations/operation_context.h"

namespace qx::cli {

struct OnlineOptions {
    PortOptions port;
    std::vector<std::string> ports;  // every --port given, in order
    std::optional<int> escapeCode;
    bool verbose = false;
    LogOption log;  // --log FILE
    bool backup = true;  // a write first keeps the module's configuration in the history (--no-backup: not)

    // --port P: the port, and one more module for several at once.
    void TakePort(const std::string& port);
    // Once every option is read: --baud and --format are usage errors for
    // a port that carries bytes only (socket://), whichever --port it is.
    void CheckLineOptions() const;
    // A usage error ("COMMAND takes one --port") when several were given
    // to a command that works on one module only.
    void RequireOnePort(std::string_view command) const;
    // One set of options for each --port given (for several modules at once).
    std::vector<OnlineOptions> PerPort() const;
    // The host settings and escape character into the workspace.
    void ApplyTo(Workspace& workspace) const;
    // A channel on `setup`'s port with `settings`, tapped for --log and
    // --verbose and watched by the context's announcer of long waits.
    std::unique_ptr<TCOMQX7Object> Open(CliContext& context, const HostSerialSettings& settings,
                                        ChannelSetup setup) const;
    // The port as the user named it ("/dev/ttyUSB1", "COM2"), for result lines.
    std::string PortText() const;
    // Opens channels on the chosen ports with the workspace's escape
    // character at the moment of opening; with --verbose what they send
    // and receive is shown on the context's standard error.
    ChannelFactory Factory(CliContext& context, Workspace& workspace) const;
    // The channel setup for the chosen ports with the escape character
    // given (for commands that open a channel without a workspace).
    ChannelSetup Setup(const ModelVariant& variant) const;
};

// Runs the operation to its end (Ctrl-C asks it to stop), keeping what it
// read or wrote in the context's history, and returns what came of it.
OperationOutcome RunModuleOperation(CliContext& context, Workspace& workspace, const OnlineOptions& options,
                                    ModuleOperation operation, ConfigCommandList commandList = {});

}  // namespace qx::cli
