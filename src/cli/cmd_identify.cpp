// qxcfg identify: wakes the module, asks "ATI" and prints the identification
// line and the firmware version.

#include "app/version_format.h"
#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/log_option.h"
#include "cli/outcome_exit.h"
#include "cli/port_options.h"
#include "cli/usage_error.h"
#include "operations/identify_module.h"

namespace qx::cli {

int RunIdentify(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    PortOptions port;
    LogOption log;
    while (!reader.AtEnd()) {
        if (!port.Take(reader) && !log.Take(reader)) throw UsageError("identify: unexpected argument '" + reader.Peek() + "'");
    }
    const ChannelFactory open = [&](const HostSerialSettings& settings) {
        auto channel = std::make_unique<TCOMQX7Object>(settings, port.Setup(context.variant));
        log.Tap(*channel, settings, port.Ports());
        return channel;
    };
    const IdentifyResult result = IdentifyModule(open, port.Settings(), context.variant);
    // As in a module operation: the error's own text.
    if (result.outcome.IsFailed()) context.err << result.outcome.text << '\n';
    if (result.outcome.IsDone()) {
        context.out << "identification=" << result.identification << '\n'
                    << "version=" << FormatVersionNumber(result.version) << '\n';
    }
    return Conclude(context, result.outcome);
}

}  // namespace qx::cli
