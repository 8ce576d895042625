// qxcfg identify: wakes the module, asks "ATI" and prints the identification
// line and the firmware version.

#include "app/version_format.h"
#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/log_option.h"
#include "cli/port_options.h"
#include "cli/usage_error.h"
#include "config/firmware_identification.h"
#include "serial/module_error_reports.h"

namespace qx::cli {

int RunIdentify(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    PortOptions port;
    LogOption log;
    while (!reader.AtEnd()) {
        if (!port.Take(reader) && !log.Take(reader)) throw UsageError("identify: unexpected argument '" + reader.Peek() + "'");
    }
    try {
        TCOMQX7Object channel(port.Settings(), port.Setup(context.variant));
        log.Tap(channel, port.Settings(), port.Ports());
        channel.Wake();
        channel.SendExpect("ATI\r", "V", 100);
        const std::string identification = CutIdentificationText(channel.LastReply());
        const FirmwareVersion firmware = GetFirmwareVer(identification);
        context.out << "identification=" << identification << '\n'
                    << "version=" << FormatVersionNumber(firmware.version) << '\n';
        return kExitOk;
    } catch (const std::exception& e) {
        // As in a module operation: the error's own text.
        context.err << ReportFor(ReportSite::ModuleOperation, context.variant.ProductName, e) << '\n';
        return kExitFailure;
    }
}

}  // namespace qx::cli
