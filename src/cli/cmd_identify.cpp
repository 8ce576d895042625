// qxcfg identify: wakes the module, asks "ATI" and prints the identification
// line and the firmware version (with --json as one object:
// {"identification": "QX7T-R Radio Modem V1.95 SIM", "version": "1.95"}).

#include "app/version_format.h"
#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "operations/identify_module.h"

namespace qx::cli {

int RunIdentify(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    OnlineOptions online;
    bool json = false;
    while (!reader.AtEnd()) {
        if (online.Take(reader)) continue;
        if (!reader.TakeFlag("--json")) throw UsageError("identify: unexpected argument '" + reader.Peek() + "'");
        json = true;
    }
    if (online.ports.size() > 1) throw UsageError("identify takes one --port");
    const ChannelFactory open = [&](const HostSerialSettings& settings) {
        return online.Open(context, settings, online.Setup(context.variant));
    };
    const IdentifyResult result = IdentifyModule(open, online.port.Settings(), context.variant);
    // As in a module operation: the error's own text.
    if (result.outcome.IsFailed()) context.err << result.outcome.text << '\n';
    if (result.outcome.IsDone()) {
        const std::string version = FormatVersionNumber(result.version);
        if (json)
            context.out << JsonLine().Text("identification", result.identification).Text("version", version).Str()
                        << '\n';
        else
            context.out << "identification=" << result.identification << '\n' << "version=" << version << '\n';
    }
    return Conclude(context, result.outcome);
}

}  // namespace qx::cli
