// qxcfg console: sends each command (with a closing CR) and prints each
// reply as it arrives, for looking at a module by hand.
//
//   > ATS0?
//   < \r\n005\r\n\r\nOK\r\n
//
// Replies are printed on one line each with CR, LF, backslash and other
// control bytes made visible (\r, \n, \\, \xHH), so that exactly what the
// module sent can be read; "(no reply)" when nothing came.

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/online_options.h"
#include "cli/usage_error.h"
#include "files/communication_log_file.h"
#include "serial/module_error_reports.h"
#include "serial/serial_errors.h"

namespace qx::cli {

namespace {

// How long each command waits for its reply.
constexpr std::chrono::milliseconds kReplyWait{100};

// Why a command's exchange says the port failed; empty when it did not.
std::string PortFailure(ExchangeEnd end) {
    switch (end) {
        case ExchangeEnd::NotSent: return "could not be sent: the port failed";
        case ExchangeEnd::PortFailed: return "the port failed while waiting for the reply";
        default: return {};
    }
}

struct ConsoleArgs {
    OnlineOptions online;
    bool wake = false;
    std::vector<std::string> commands;
};

int Console(CliContext& context, ConsoleArgs& args) {
    const OnlineOptions& online = args.online;
    if (args.commands.empty() && !args.wake) throw UsageError("console: no command given");
    online.RequireOnePort("console");
    // Ctrl-C (or a hang-up, or SIGTERM) ends the connection or the wake,
    // and no command is sent after it.
    InterruptGuard interrupt;
    try {
        const auto opened = online.Open(context, online.port.Settings(), online.Setup(context.variant));
        TCOMQX7Object& channel = *opened;
        channel.SetOnReply([&context](const std::string& reply) {
            context.out << "< " << (reply.empty() ? "(no reply)" : ReadableLogText(reply)) << std::endl;
        });
        if (args.wake) {
            context.out << "> (wake)" << std::endl;
            channel.Wake({.stop = [] { return InterruptRequested(); }});
        }
        for (const auto& command : args.commands) {
            if (InterruptRequested()) return kExitCancelled;
            context.out << "> " << command << std::endl;
            const std::string failure = PortFailure(channel.SendCommand(command + "\r", "OK", kReplyWait));
            if (failure.empty()) continue;
            // The commands after it are not tried: the port is gone.
            context.err << ErrorLines(command + ": " + failure);
            return kExitFailure;
        }
        return InterruptRequested() ? kExitCancelled : kExitOk;
    } catch (const EOpenAbandoned&) {
        return kExitCancelled;
    } catch (const std::exception& e) {
        context.err << ErrorLines(ReportFor(ReportSite::ModuleOperation, context.variant.ProductName, e));
        return kExitFailure;
    }
}

}  // namespace

Command ConsoleCommand() {
    return Declare<ConsoleArgs>({
        .name = "console",
        .usage = "[PORT OPTIONS] [--wake] CMD...",
        .summary = "send commands and print each reply with every byte visible",
        .rows = Join({Flag("--wake", "wake the module first", Raise<&ConsoleArgs::wake>),
                      Operand("CMD", "", Offer::Nothing, Accepts::NoDoubleDash, true, Append<&ConsoleArgs::commands>)},
                     OperationOptions<ConsoleArgs>()),
        .exits = {{0, "every command was sent"},
                  {1, "the port failed or a command could not be sent"},
                  {2, "usage error"},
                  {130, "cancelled with Ctrl-C"}},
        .examples = {"qxcfg console --port /dev/ttyUSB0 --wake ATS0?"},
        .run = Console,
        .forms = {Form{"console", {}, "unknown option"}},
    });
}

}  // namespace qx::cli
