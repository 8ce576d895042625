#include "serial/comqx7_object.h"

#include <chrono>
#include <thread>

#include "serial/reply_wait_bound.h"
#include "serial/serial_device_factory.h"
#include "serial/serial_errors.h"

namespace qx {

namespace {

using namespace std::chrono_literals;

const std::string kCr = "\r";
constexpr auto kWakeWait = 50ms;
constexpr auto kWakeLastTryWait = 10ms;
constexpr auto kClearLineWait = 5ms;
constexpr auto kClearLinePause = 100ms;

}  // namespace

TCOMQX7Object::TCOMQX7Object(const HostSerialSettings& settings, ChannelSetup setup)
    : TCOMQX7Object(settings, setup, MakeSerialDevice(setup.ports.PathFor(settings.PortIndex), setup.closing)) {}

TCOMQX7Object::TCOMQX7Object(const HostSerialSettings& settings, ChannelSetup setup,
                             std::unique_ptr<SerialDevice> device)
    : setup_(std::move(setup)),
      commPort_(
          std::move(device), [this](std::uint8_t index) { return setup_.ports.PathFor(index); },
          [this](std::uint8_t index) { return setup_.ports.NameFor(index); }) {
    OpenLink(settings);
}

TCOMQX7Object::~TCOMQX7Object() { commPort_.ClosePort(); }

void TCOMQX7Object::OpenLink(const HostSerialSettings& settings) {
    commPort_.PortIndex = settings.PortIndex;
    commPort_.BaudIndex = settings.BaudIndex;
    commPort_.Parity = settings.Parity;
    commPort_.DataBitsIndex = static_cast<std::uint8_t>(settings.DataBits + 3);
    commPort_.StopBits = settings.StopBits == 0 ? 0 : 2;
    commPort_.PortsHint = setup_.portsHint;
    commPort_.OpenStop = setup_.openStop;
    commPort_.SetOnReceive([this](const std::string& text) { ReplyReceived(text); });
    commPort_.OpenPort();
}

void TCOMQX7Object::ReplyReceived(const std::string& text) {
    lastReply_ = text;
    if (replyTap_) replyTap_(text);
    if (onReply_) onReply_(text);
}

// When the command could not be written there is no reply to this command:
// the last reply is emptied rather than left holding the answer to an
// earlier one, which a caller would otherwise take for this one's. The
// owner's handler is not called, so its copy stays as it was.
ExchangeEnd TCOMQX7Object::Exchange(const std::string& command, const std::string& expected,
                                    std::chrono::milliseconds wait) {
    if (sendTap_) sendTap_(command);
    // The watcher learns of the wait's end on every path (a missing CTS throws).
    const WaitEndGuard scope(waitWatcher_);
    if (waitWatcher_) waitWatcher_->WaitBegins(command, ReplyWaitBound(command, expected, wait));
    const ExchangeEnd end = commPort_.SendAndWait(command, expected, wait);
    if (end == ExchangeEnd::NotSent) lastReply_.clear();
    return end;
}

ExchangeEnd TCOMQX7Object::SendCommand(const std::string& command, const std::string& expected,
                                       std::chrono::milliseconds wait) {
    return Exchange(command, expected, wait);
}

void TCOMQX7Object::SendExpect(const std::string& command, const std::string& expected,
                               std::chrono::milliseconds wait) {
    if (Exchange(command, expected, wait) == ExchangeEnd::Answered) return;
    ThrowNoResponse();
}

void TCOMQX7Object::SendDelivered(const std::string& command, const std::string& expected,
                                  std::chrono::milliseconds wait) {
    const ExchangeEnd end = Exchange(command, expected, wait);
    if (end == ExchangeEnd::NotSent || end == ExchangeEnd::PortFailed) ThrowNoResponse();
}

void TCOMQX7Object::ThrowNoResponse() const {
    throw EWriteCommError("Error communicating with " + GetProductName() + ". The module did not respond correctly.");
}

bool ModuleAnswered(const std::string& reply) {
    return reply.find("OK") != std::string::npos || reply.find("0\r") != std::string::npos;
}

// A module in command mode answers a lone CR. One in data mode passes the CR
// on over the radio and needs its escape sequence first; the escape is
// tried twice, and a last CR catches a module that switched over without
// answering the escape.
//
// Each check judges the reply to the exchange just made: when a command
// could not be written there is none, and an "OK" left from an earlier
// exchange must not count.
void TCOMQX7Object::SetStopRequest(std::function<bool()> stop) {
    stop_ = stop;
    commPort_.SetStopRequest(std::move(stop));
}

LineFollow TCOMQX7Object::CanFollow(const HostSerialSettings& next) {
    return commPort_.CanFollow(next.BaudIndex, next.Parity, next.StopBits == 0 ? 0 : 2,
                               static_cast<std::uint8_t>(next.DataBits + 3));
}

// A module that does not answer takes twenty seconds to give up on, most
// of it in the escape sequence's long waits: within a wake the user's stop
// also ends a reply wait after its current read.
void TCOMQX7Object::Wake(const WakeOptions& options) {
    const auto stopped = [this, &options] { return (options.stop && options.stop()) || (stop_ && stop_()); };
    if (options.stop) commPort_.SetStopRequest(stopped);
    struct StopBack {
        TCOMQX7Object& channel;
        bool armed;
        ~StopBack() {
            if (armed) channel.commPort_.SetStopRequest(channel.stop_);
        }
    } const stopBack{*this, static_cast<bool>(options.stop)};
    try {
        SendExpect(kCr, "OK", kWakeWait);
        return;
    } catch (const EWriteCommError&) {
        // No answer to the CR: the module may be in data mode.
    } catch (const ECommsError&) {
        // No CTS: the escape sequence says so again if it persists.
    }
    if (stopped()) return;
    SendCommand(BuildEscapeSequence(), "OK", kWakeWait);
    if (ModuleAnswered(lastReply_) || stopped()) return;
    SendCommand(BuildEscapeSequence(), "OK", kWakeWait);
    const bool answered = ModuleAnswered(lastReply_);
    if (!answered && stopped()) return;
    if (!answered || options.lastCrAlways) SendCommand(kCr, "OK", kWakeLastTryWait);
    if (stopped()) return;
    if (!ModuleAnswered(lastReply_))
        throw EWriteCommError("Error communicating with " + GetProductName() + ". Unable to wake modem.");
}

void TCOMQX7Object::ClearModemLine() {
    SendCommand(kCr, "", kClearLineWait);
    std::this_thread::sleep_for(kClearLinePause);
    commPort_.PurgePort();
}

bool TCOMQX7Object::PollReceive() { return commPort_.PollRead(); }

}  // namespace qx
