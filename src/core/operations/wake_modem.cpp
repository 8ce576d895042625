// The worker's wake: brings a module that sits in data mode back to command
// mode, and gives up early when the user cancels.

#include "operations/program_thread.h"
#include "serial/comqx7_object.h"
#include "serial/serial_errors.h"

namespace qx {

namespace {
bool Answered(const std::string& reply) {
    return reply.find("OK") != std::string::npos || reply.find("0\r") != std::string::npos;
}
}  // namespace

// Each check judges the channel's reply to the exchange just made: when a
// command could not be written there is none, and an "OK" left from an
// earlier exchange (still in the window's reply text) must not count.
void TProgramThread::WakeModem(TCOMQX7Object& channel) {
    const std::string& reply = channel.LastReply();
    SetProgressText("Waking Modem...");
    // A module in command mode answers a lone CR.
    try {
        channel.SendExpect("\r", "OK", 50);
        return;
    } catch (const std::exception&) {
    }
    if (Terminated()) return;
    // In data mode it only listens for its escape character three times.
    const std::string escape = context_.workspace.escape.Sequence();
    channel.SendCommand(escape, "OK", 50);
    if (Answered(reply)) return;
    if (Terminated()) return;
    channel.SendCommand(escape, "OK", 50);
    if (!Answered(reply) && Terminated()) return;
    channel.SendCommand("\r", "OK", 10);
    if (Terminated()) return;
    if (Answered(reply)) return;
    throw EWriteCommError("Error communicating with " + context_.workspace.variant.ProductName +
                          ". Unable to wake modem.");
}

}  // namespace qx
