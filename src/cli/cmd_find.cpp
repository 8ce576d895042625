// qxcfg find: looks for the module on the port at every host rate and
// character format (see ModuleFinder) and prints where it answered:
//
//   settings=--baud 19200 --format E-7-1
//   identification=QX7T-R Radio Modem V1.95 SIM
//
// Each setting tried is reported on standard error. The window offers the
// settings found as its host settings; here they are printed for the next
// command's port options.

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "operations/module_finder.h"
#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"

namespace qx::cli {

namespace {

// "--baud 19200 --format E-7-1": what the other commands take.
std::string PortOptionsText(const HostSerialSettings& settings) {
    const SerialSettingsTexts texts = DisplaySerialSettings(settings);
    return "--baud " + texts.rate + " --format " + texts.other;
}

}  // namespace

int RunFind(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    OnlineOptions online;
    while (!reader.AtEnd()) {
        if (!online.Take(reader)) throw UsageError("find: unexpected argument '" + reader.Peek() + "'");
    }
    const ChannelFactory open = [&](const HostSerialSettings& settings) {
        auto channel = std::make_unique<TCOMQX7Object>(settings, online.Setup(context.variant));
        online.log.Tap(*channel, settings, online.port.Ports(), online.verbose ? &context.err : nullptr);
        return channel;
    };
    FindCallbacks callbacks;
    callbacks.trying = [&context](const FindAttempt& attempt) {
        context.err << "Trying " << SettingsText(attempt.settings) << " (" << attempt.number << '/' << attempt.count
                    << ")...\n"
                    << std::flush;
    };
    callbacks.cancelled = [] { return InterruptRequested(); };
    InterruptGuard interrupt;
    FindResult result;
    try {
        result = FindModule(online.port.Settings(), open, callbacks);
    } catch (const std::exception& e) {
        context.err << ReportFor(ReportSite::ModuleOperation, context.variant.ProductName, e) << '\n';
        return kExitFailure;
    }
    if (result.outcome.IsFailed()) context.err << result.outcome.text << '\n';
    if (result.outcome.IsDone()) {
        context.out << "settings=" << PortOptionsText(result.settings) << '\n'
                    << "identification=" << result.identification << '\n';
    }
    return Conclude(context, result.outcome);
}

}  // namespace qx::cli
