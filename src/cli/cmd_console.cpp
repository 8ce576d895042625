// qxcfg console: sends each command (with a closing CR) and prints each
// reply as it arrives, for looking at a module by hand.
//
//   > ATS0?
//   < \r\n005\r\n\r\nOK\r\n
//
// Replies are printed on one line each with CR, LF, backslash and other
// control bytes made visible (\r, \n, \\, \xHH), so that exactly what the
// module sent can be read; "(no reply)" when nothing came.

#include <cstdio>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "cli/log_option.h"
#include "cli/port_options.h"
#include "cli/usage_error.h"
#include "serial/module_error_reports.h"

namespace qx::cli {

namespace {

std::string Visible(const std::string& text) {
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else if (c < 0x20 || c >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else
            out += ch;
    }
    return out;
}

}  // namespace

int RunConsole(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    PortOptions port;
    LogOption log;
    bool wake = false;
    std::vector<std::string> commands;
    while (!reader.AtEnd()) {
        if (port.Take(reader) || log.Take(reader)) continue;
        if (reader.TakeFlag("--wake")) {
            wake = true;
        } else if (reader.Peek().starts_with("--")) {
            throw UsageError("console: unknown option '" + reader.Peek() + "'");
        } else {
            commands.push_back(reader.Next());
        }
    }
    if (commands.empty() && !wake) throw UsageError("console: no command given");
    try {
        TCOMQX7Object channel(port.Settings(), port.Setup(context.variant));
        log.Tap(channel, port.Settings(), port.Ports());
        channel.SetOnReply([&context](const std::string& reply) {
            context.out << "< " << (reply.empty() ? "(no reply)" : Visible(reply)) << std::endl;
        });
        if (wake) {
            context.out << "> (wake)" << std::endl;
            channel.Wake();
        }
        for (const auto& command : commands) {
            context.out << "> " << command << std::endl;
            channel.SendCommand(command + "\r", "OK", 100);
        }
        return kExitOk;
    } catch (const std::exception& e) {
        context.err << ReportFor(ReportSite::ModuleOperation, context.variant.ProductName, e) << '\n';
        return kExitFailure;
    }
}

}  // namespace qx::cli
