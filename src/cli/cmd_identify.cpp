// qxcfg identify: wakes the module, asks "ATI" and prints the identification
// line and the firmware version (with --json as the port's object:
// {"port": "/dev/ttyUSB0", "result": "ok", "exit": 0,
//  "identification": "QX7T-R Radio Modem V1.95 SIM", "version": "1.95"}).

#include "app/version_format.h"
#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/each_port.h"
#include "cli/json_text.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "operations/identify_module.h"

namespace qx::cli {

namespace {

struct IdentifyArgs {
    OnlineOptions online;
    bool json = false;
};

PortResult IdentifyOnePort(CliContext& context, const OnlineOptions& online, bool json) {
    const ChannelFactory open = [&](const HostSerialSettings& settings) {
        return online.Open(context, settings, online.Setup(context.variant));
    };
    // Ctrl-C (or a hang-up, or SIGTERM) ends the connection or the wake.
    InterruptGuard interrupt;
    const IdentifyResult result =
        IdentifyModule(open, online.port.Settings(), context.variant, [] { return InterruptRequested(); });
    // As in a module operation: the error's own text.
    if (result.outcome.IsFailed()) context.err << ErrorLines(result.outcome.text);
    const int rc = Conclude(context, result.outcome);
    if (!result.outcome.IsDone()) return {rc, result.outcome.text};
    const std::string version = FormatVersionNumber(result.version);
    if (!json) context.out << "identification=" << result.identification << '\n' << "version=" << version << '\n';
    PortResult done{rc, {}};
    done.details.Text("identification", result.identification).Text("version", version);
    return done;
}

int Identify(CliContext& context, IdentifyArgs& args) {
    const OnlineOptions& online = args.online;
    online.RequireOnePort("identify");
    return RunOnPorts(context, online, args.json, [json = args.json](CliContext& own, const OnlineOptions& one) {
        return IdentifyOnePort(own, one, json);
    });
}

}  // namespace

Command IdentifyCommand() {
    return Declare<IdentifyArgs>({
        .name = "identify",
        .usage = "[PORT OPTIONS] [--json]",
        .summary = "wake the module and print its identification and firmware version",
        .rows = Join({JsonFlag<IdentifyArgs>("print both as one JSON object")}, OperationOptions<IdentifyArgs>()),
        .exits = ModuleExits(),
        .examples = {"qxcfg identify --port /dev/ttyUSB0"},
        .run = Identify,
    });
}

}  // namespace qx::cli
