// A write that moves the module's rate or character format must leave the
// module where this computer can still reach it. A local port follows the
// module by itself. A port server over RFC 2217 is asked for the new
// settings first (and set back at once): one that keeps its own would leave
// the module answering where the connection cannot go, so the write is
// refused before anything changes on the module. Over a plain TCP
// connection the line settings are the server's: the user decides, and the
// rate and format then go out only with the final store, as for a rate this
// computer cannot follow, so that the rest of the write still gets through.

#include "app/module_rates.h"
#include "operations/host_follows_module.h"
#include "operations/program_thread.h"
#include "serial/comqx7_object.h"

namespace qx {

namespace {

// "19200 N-8-1": the module's rate and format as the written configuration has them.
std::string ModuleLineText(const WorkingConfig& config, const HostSerialSettings& after) {
    const ModuleRate* rate = ModuleRateOf(config.Field(FieldId::Serial_Baud).choice);
    const SerialSettingsTexts texts = DisplaySerialSettings(after);
    return (rate ? std::to_string(rate->bitsPerSecond) : texts.rate) + " " + texts.other;
}

}  // namespace

bool TProgramThread::PortFollowsWrite(TCOMQX7Object& channel) {
    const Workspace& ws = context_.workspace;
    HostSerialSettings after = ws.host;
    UpdateSerialParams(after, ws.config);
    const bool moves = after.BaudIndex != ws.host.BaudIndex || after.DataBits != ws.host.DataBits ||
                       after.StopBits != ws.host.StopBits || after.Parity != ws.host.Parity;
    if (!moves) return true;
    const LineFollow follow = channel.CanFollow(after);
    switch (follow.kind) {
        case LineFollow::Kind::Follows: return true;
        case LineFollow::Kind::ServerKept:
            Failed(OperationOutcome::Failure(ReportKind::Own,
                                             "The port server " + follow.detail +
                                                 "; after this write the module would answer where this "
                                                 "connection cannot reach.",
                                             ErrorClass::Other));
            ShowThreadMessage(outcome_.text, MessageKind::Error);
            return false;
        case LineFollow::Kind::ServerFixed: break;
    }
    Answer answer = Answer::No;
    const std::string question = "The line settings of " + channel.PortNameGiven() +
                                 " are the port server's own: the module will then answer at " +
                                 ModuleLineText(ws.config, after) +
                                 ", which this connection cannot reach. Continue?";
    context_.ui.Invoke([&] {
        answer = context_.workspace.GetPrompter().Show(
            Message{MessageKind::Confirmation, MessageButtons::YesNo, question, true});
    });
    if (answer != Answer::Yes) {
        outcome_ = OperationOutcome::Declined();
        return false;
    }
    deferSerialChange_ = true;
    return true;
}

}  // namespace qx
