// qxcfg identify: wakes the module, asks "ATI" and prints the identification
// line and the firmware version (with --json as one object:
// {"identification": "QX7T-R Radio Modem V1.95 SIM", "version": "1.95"}).

#include "app/version_format.h"
#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/common_options.h"
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

int Identify(CliContext& context, IdentifyArgs& args) {
    const OnlineOptions& online = args.online;
    if (online.ports.size() > 1) throw UsageError("identify takes one --port");
    const ChannelFactory open = [&](const HostSerialSettings& settings) {
        return online.Open(context, settings, online.Setup(context.variant));
    };
    // Ctrl-C (or a hang-up, or SIGTERM) ends the connection or the wake.
    InterruptGuard interrupt;
    const IdentifyResult result =
        IdentifyModule(open, online.port.Settings(), context.variant, [] { return InterruptRequested(); });
    // As in a module operation: the error's own text.
    if (result.outcome.IsFailed()) context.err << result.outcome.text << '\n';
    if (result.outcome.IsDone()) {
        const std::string version = FormatVersionNumber(result.version);
        if (args.json)
            context.out << JsonLine().Text("identification", result.identification).Text("version", version).Str()
                        << '\n';
        else
            context.out << "identification=" << result.identification << '\n' << "version=" << version << '\n';
    }
    return Conclude(context, result.outcome);
}

}  // namespace

Command IdentifyCommand() {
    return Declare<IdentifyArgs>({
        .name = "identify",
        .usage = "[PORT OPTIONS] [--json]",
        .summary = "wake the module and print its identification and firmware version",
        .rows = Join({JsonFlag<IdentifyArgs>("print both as one JSON object")}, OperationOptions<IdentifyArgs>()),
        .exits = LinkExits(),
        .examples = {"qxcfg identify --port /dev/ttyUSB0"},
        .run = Identify,
    });
}

}  // namespace qx::cli
