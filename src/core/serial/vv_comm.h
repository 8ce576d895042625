#pragma once
// TVVComm: the only code that touches the serial port. It opens one port
// with a rate and character format, writes command text to the module,
// collects the reply under bounded time-outs, and hands every collected
// text to one receive handler. Of the module's language it knows only the
// three commands that answer at length ("AT&V", "ATI", "+++") and the two
// shapes of the numeric "OK" ("0" CR), which end a wait early.
//
// Not thread-safe: one thread uses the port at a time.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "serial/serial_device.h"

namespace qx {

// How a command's exchange ended.
enum class ExchangeEnd {
    NotSent,     // the write failed: nothing was collected, the handler was not called
    Answered,    // the reply holds the expected text, or is the numeric OK
    Unanswered,  // the wait ended without either (read count used up, or its one read)
    PortFailed,  // a read failed (the device is gone): the reply is what came before
};

class TVVComm {
public:
    using ReceiveHandler = std::function<void(const std::string& text)>;
    // The device path of a port index (see PortMap).
    using PathResolver = std::function<std::string(std::uint8_t portIndex)>;
    // The name of a port index in error texts; COM1..COM8 when not given.
    using NameResolver = std::function<std::string(std::uint8_t portIndex)>;

    static constexpr std::size_t kReadBufferSize = 255;

    TVVComm(std::unique_ptr<SerialDevice> device, PathResolver resolvePath, NameResolver resolveName = {});
    ~TVVComm();
    TVVComm(const TVVComm&) = delete;
    TVVComm& operator=(const TVVComm&) = delete;

    // Set by the owner before OpenPort.
    std::uint8_t PortIndex = 0;      // 0..7: COM1..COM8
    std::uint8_t BaudIndex = 0;      // into kHostRates; above 11 keeps the port's rate
    std::uint8_t Parity = 0;         // 0 none, 1 odd, 2 even
    std::uint8_t StopBits = 0;       // 0 one, 2 two
    std::uint8_t DataBitsIndex = 0;  // 0..4: 4..8 data bits; above 4 keeps the port's
    std::string PortsHint;           // where the user finds the ports present (OpenFailureHint)
    // Polled while the opening waits on a port server; true gives it up
    // (EOpenAbandoned). Empty: the opening runs its course.
    std::function<bool()> OpenStop;

    bool IsOpen() const;

    // Raises EPortAlreadyOpen, EOpeningPortError, ECommsError, or
    // EOpenAbandoned when OpenStop asked to give up.
    void OpenPort();
    void ClosePort();
    // Discards what is waiting to go out, then what has come in.
    void PurgePort();

    // Whether the port could move to the settings of `BaudIndex`,
    // `Parity`, `StopBits` and `DataBitsIndex` as a later opening would
    // ask for them (see LineFollow).
    LineFollow CanFollow(std::uint8_t baudIndex, std::uint8_t parity, std::uint8_t stopBits,
                         std::uint8_t dataBitsIndex);

    // Writes `command` and collects the reply, which reaches the caller
    // only through the receive handler. No reply is collected when the
    // write fails. Raises ECommsError when CTS is missing, and
    // EOpeningPortError when a port server closed the connection before
    // anything was answered on it (it refused the port after all).
    ExchangeEnd SendAndWait(const std::string& command, const std::string& expected, std::chrono::milliseconds wait);
    // Returns whether the write succeeded; raises ECommsError without CTS.
    bool WriteText(const std::string& text);
    // The bounded read loop; always ends with one call of the handler.
    // Never NotSent.
    ExchangeEnd ReadReply(const std::string& expected, bool longReply);
    // One read under the time-outs in force; the handler sees only texts
    // with at least one byte. False when the read itself failed.
    bool PollRead();

    void SetOnReceive(ReceiveHandler handler) { onReceive_ = std::move(handler); }
    // Polled after each read of a reply wait: true ends the wait there, as
    // one whose reply did not come (a reply that has come whole still
    // counts). Empty: every wait runs its course.
    void SetStopRequest(std::function<bool()> stop) { stop_ = std::move(stop); }

private:
    void Deliver(const std::string& text);
    void ThrowIfRefused() const;

    std::unique_ptr<SerialDevice> device_;
    PathResolver resolvePath_;
    NameResolver resolveName_;
    ReceiveHandler onReceive_;
    std::function<bool()> stop_;
    bool answeredOnce_ = false;  // an exchange on this opening was answered
};

// The line settings a port is opened with, from the driver's fields.
LineSettings LineSettingsOf(std::uint8_t baudIndex, std::uint8_t parity, std::uint8_t stopBits,
                            std::uint8_t dataBitsIndex);

// Long-reply mode: the commands whose answer is long or slow to come.
bool IsLongReplyCommand(const std::string& command);

// The module's numeric "OK": "0" CR on its own, or CR "0" CR within a reply.
bool IsNumericOk(const std::string& reply);

// Whether `reply` holds `expected` (an empty `expected` is never held). An
// expected text that ends in "=" is the key of a listing entry ("&Z3="): it
// is held only once the entry's value has come whole, ended by a space, CR
// or LF, or when the module has stopped sending (`senderStopped`: the last
// read came back before filling its size). A value cut at a read boundary
// ("&Z3=27,1" of "&Z3=27,127,1,179") is never taken for the whole.
bool ReplyHoldsExpected(const std::string& reply, const std::string& expected, bool senderStopped);

}  // namespace qx
