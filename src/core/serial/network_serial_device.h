#pragma once
// A serial port on a port server, reached over TCP: "rfc2217://HOST:PORT"
// speaks Telnet with the COM-PORT-OPTION, so the rate and character format
// are set on the server's port, its buffers purged and its CTS line
// reported; "socket://HOST:PORT" carries the bytes only, and the line
// settings are whatever the server has.
//
// It reads and writes under the same time-outs as a local port; the
// network adds only its own latency. What the server must answer (the
// option, each line setting, a purge) is waited for within a bound, so a
// server that never answers is an error and never a hang, and what the
// server sends is held only up to a fixed amount, so a server that floods
// the connection is an error too. A line setting the server answers with
// another value than asked fails the opening. A connection that breaks
// fails the next read or write, as a port that vanishes does.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "serial/closing_connections.h"
#include "serial/com_port_control.h"
#include "serial/network_port_address.h"
#include "serial/serial_device.h"
#include "serial/tcp_socket.h"
#include "serial/telnet_codec.h"
#include "serial/timed_read.h"

namespace qx {

class NetworkSerialDevice : public SerialDevice {
public:
    // How long the server gets to connect and to answer each thing asked.
    static constexpr int kServerAnswerMs = 5000;
    // How long closing waits for the server to close its side, when no
    // ClosingConnections takes the connection over.
    static constexpr int kServerCloseMs = 1000;
    // The most of the server's data held at once: what comes before the
    // option is agreed, and what comes while nothing reads it.
    static constexpr std::size_t kInputCap = 64 * 1024;
    // The longest an open of `address` can take: the connection, and for
    // RFC 2217 the server's answers to the option and the line settings.
    static std::chrono::milliseconds OpenBound(const NetworkPortAddress& address) {
        return std::chrono::milliseconds((address.scheme == NetworkScheme::Rfc2217 ? 2 : 1) * kServerAnswerMs);
    }

    // `closing`: where a closed connection waits for its server to let the
    // port go (see ClosingConnections); without one, closing waits itself.
    explicit NetworkSerialDevice(std::shared_ptr<ClosingConnections> closing = nullptr)
        : closing_(std::move(closing)) {}
    ~NetworkSerialDevice() override;

    OpenStatus Open(const std::string& path, const LineSettings& settings) override;
    std::string OpenFailureDetail() const override { return failure_; }
    void SetOpenStop(std::function<bool()> stop) override { openStop_ = std::move(stop); }
    LineFollow CanFollow(const LineSettings& next) override;
    std::optional<OpenRefusal> Refusal() const override;
    void Close() override;
    bool IsOpen() const override { return socket_.Valid(); }

    void SetTimeouts(const CommTimeouts& timeouts) override { timeouts_ = timeouts; }
    CommTimeouts Timeouts() const override { return timeouts_; }
    // The rate the server acknowledged; none on a plain socket.
    std::optional<int> CurrentRate() const override;

    std::optional<std::string> Read(std::size_t maxBytes) override;
    bool Write(const std::string& text) override;
    void Purge(unsigned flags) override;
    CtsState Cts() const override;

private:
    // What asking the server for line settings came to.
    enum class Asked { Agreed, Kept, Unanswered };

    OpenStatus Fail(OpenStatus status, std::string detail);
    OpenStatus Negotiate(const LineSettings& settings, long long deadline);
    // Asks for `settings` and waits for the answers; `kept` says how the
    // answers differ from what was asked.
    Asked AskLine(const LineSettings& settings, long long deadline, std::string& kept);
    // Waits up to `ms` (-1: for ever) for the socket and takes in what came.
    WaitResult Pump(int ms);
    // Pumps until `done` or the deadline; false when the deadline passed,
    // the connection failed first, or (while opening) the user stopped it.
    template <typename Done>
    bool PumpUntil(Done done, long long deadline);
    void TakeData(std::string_view data);
    void Handle(const telnet::Event& event);
    bool Send(const std::string& wire, long long deadline);
    bool Telnet() const { return scheme_ == NetworkScheme::Rfc2217; }

    std::shared_ptr<ClosingConnections> closing_;
    std::function<bool()> openStop_;
    bool opening_ = false;   // the stop request counts only while opening
    bool abandoned_ = false; // the user stopped the opening
    TcpSocket socket_;
    NetworkScheme scheme_ = NetworkScheme::RawSocket;
    std::string server_;     // "HOST:PORT"
    CommTimeouts timeouts_;
    telnet::Decoder decoder_;
    telnet::Negotiator negotiator_;
    std::string received_;  // data taken in and not yet read
    std::string said_;      // the first bytes of data on the connection
    bool ended_ = false;    // the server closed or the connection broke
    bool overflow_ = false; // the server sent more than kInputCap unread
    bool dropping_ = false; // data is stale until the purge is answered
    std::vector<rfc2217::Code> awaited_;
    LineSettings line_;     // as asked at the opening, and acknowledged
    rfc2217::LineAnswers answered_;
    std::optional<unsigned char> modemState_;
    bool purgeUnanswered_ = false;  // the server let a purge go unanswered once
    std::string failure_;
};

}  // namespace qx
