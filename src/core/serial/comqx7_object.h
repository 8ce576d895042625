#pragma once
// TCOMQX7Object: the command channel to one module. Creating it opens the
// port with the host serial settings, destroying it closes the port. It
// sends AT commands, judges the replies, wakes a module that sits in data
// mode, keeps the text of the last reply and forwards every received text
// to its owner's handler.
//
// A channel owns its port and its last reply, so several channels can talk
// to several modules at once. One thread uses a channel at a time.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "app/escape_character.h"
#include "serial/closing_connections.h"
#include "serial/host_serial_settings.h"
#include "serial/port_map.h"
#include "serial/reply_wait_watcher.h"
#include "serial/serial_device.h"
#include "serial/vv_comm.h"

namespace qx {

// Whether a reply says the module answered: it holds "OK", or the numeric
// result code "0" CR.
bool ModuleAnswered(const std::string& reply);

// How a wake may end early, and where an operation's wake differs from
// the plain one.
struct WakeOptions {
    // Polled after each read of the wake's reply waits and after each
    // exchange that did not wake the module: true ends the wake there,
    // without an error (the user cancelled).
    std::function<bool()> stop = {};
    // The last lone CR goes out even when the second escape was answered,
    // and its answer decides.
    bool lastCrAlways = false;
};

struct ChannelSetup {
    std::string productName;  // ModelVariant::ProductName, used in error texts
    EscapeCharacter escape;   // wakes the module from data mode
    PortMap ports;            // where COM1..COM8 are
    // Where the front end's user finds the ports present, named when the
    // device is missing ("qxcfg ports"); empty: nowhere.
    std::string portsHint = {};
    // Polled while the port opens on a port server: true gives the opening
    // up (EOpenAbandoned). Empty: it runs its course.
    std::function<bool()> openStop = {};
    // Takes over the connections a network port closes, so that closing
    // never waits (see ClosingConnections); null: closing waits itself.
    std::shared_ptr<ClosingConnections> closing = {};
};

class TCOMQX7Object {
public:
    using ReplyHandler = std::function<void(const std::string& text)>;

    // Opens the port on the device its name calls for (a local serial
    // device, or a port server's rfc2217:// or socket:// address). Any opening error
    // (EPortAlreadyOpen, EOpeningPortError, ECommsError) propagates and
    // leaves no port open.
    TCOMQX7Object(const HostSerialSettings& settings, ChannelSetup setup);
    // The same on a given device (tests put a fault-injecting one here).
    TCOMQX7Object(const HostSerialSettings& settings, ChannelSetup setup, std::unique_ptr<SerialDevice> device);
    ~TCOMQX7Object();
    TCOMQX7Object(const TCOMQX7Object&) = delete;
    TCOMQX7Object& operator=(const TCOMQX7Object&) = delete;

    // The checked exchange: raises EWriteCommError unless the reply is the
    // numeric OK or holds `expected` (an empty `expected` is never found;
    // see ReplyHoldsExpected for a listing entry such as "&Z3=").
    void SendExpect(const std::string& command, const std::string& expected, std::chrono::milliseconds wait);
    // The unchecked exchange: the reply lands in LastReply() unjudged. The
    // result says how it ended, for a caller that must know whether the
    // command went out at all (NotSent) or the port failed.
    ExchangeEnd SendCommand(const std::string& command, const std::string& expected, std::chrono::milliseconds wait);
    // An unchecked exchange whose command must still go out: EWriteCommError
    // when it could not be written or the port failed.
    void SendDelivered(const std::string& command, const std::string& expected, std::chrono::milliseconds wait);
    // The exchange error: the module did not respond correctly.
    [[noreturn]] void ThrowNoResponse() const;
    // Brings the module to command mode; EWriteCommError "Unable to wake
    // modem." when it never answers, ECommsError when CTS is missing.
    void Wake(const WakeOptions& options = {});
    // Whether the port could be moved to `next` (a module about to answer
    // there): see LineFollow. Asks a port server over RFC 2217.
    LineFollow CanFollow(const HostSerialSettings& next);
    // Sends a lone CR, takes one short read, pauses 100 ms and discards both
    // buffers.
    void ClearModemLine();
    // One read for the polling thread of the receive tests; false when the
    // read itself failed (the port is gone).
    bool PollReceive();

    void SetOnReply(ReplyHandler handler) { onReply_ = std::move(handler); }
    // A second receiver of every received text, independent of the owner's
    // handler: a communication log that sees all the channel's replies.
    void SetReplyTap(ReplyHandler tap) { replyTap_ = std::move(tap); }
    // Sees every text the channel sends, as it goes out: the other half of
    // such a log.
    void SetSendTap(ReplyHandler tap) { sendTap_ = std::move(tap); }
    // Told of every exchange's reply wait, as it begins and when it ends
    // (null: nobody); it must outlive the channel's exchanges.
    void SetWaitWatcher(ReplyWaitWatcher* watcher) { waitWatcher_ = watcher; }
    // The last text the port delivered (after a command wait or a poll).
    const std::string& LastReply() const { return lastReply_; }

    // For an exchange the user may cancel: polled after each read of a
    // reply wait, true ends the wait as unanswered, and a wake gives up
    // after the exchange at hand (as WakeOptions::stop). Empty: none.
    void SetStopRequest(std::function<bool()> stop);

    void SetEscapeCharacter(EscapeCharacter escape) { setup_.escape = escape; }
    // The escape character three times, e.g. "+++".
    std::string BuildEscapeSequence() const { return setup_.escape.Sequence(); }
    const std::string& GetProductName() const { return setup_.productName; }
    // The port as the user named it ("COM1", or the path or address it was
    // given as), and the device or address it stands for.
    std::string PortNameGiven() const { return setup_.ports.NameFor(commPort_.PortIndex); }
    std::string PortPath() const { return setup_.ports.PathFor(commPort_.PortIndex); }

private:
    void OpenLink(const HostSerialSettings& settings);
    void ReplyReceived(const std::string& text);
    ExchangeEnd Exchange(const std::string& command, const std::string& expected, std::chrono::milliseconds wait);

    ChannelSetup setup_;
    ReplyHandler onReply_;
    ReplyHandler replyTap_;
    ReplyHandler sendTap_;
    ReplyWaitWatcher* waitWatcher_ = nullptr;
    std::function<bool()> stop_;
    std::string lastReply_;
    TVVComm commPort_;
};

// Arms a channel's stop request for as long as it lives (see
// TCOMQX7Object::SetStopRequest), and disarms it on every way out.
class StopRequestScope {
public:
    StopRequestScope(TCOMQX7Object& channel, std::function<bool()> stop) : channel_(channel) {
        channel_.SetStopRequest(std::move(stop));
    }
    ~StopRequestScope() { channel_.SetStopRequest({}); }
    StopRequestScope(const StopRequestScope&) = delete;
    StopRequestScope& operator=(const StopRequestScope&) = delete;

private:
    TCOMQX7Object& channel_;
};

}  // namespace qx
