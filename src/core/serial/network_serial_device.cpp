#include "serial/network_serial_device.h"

#include <algorithm>

#include "serial/tcp_connect.h"
#include "serial/timed_read.h"

namespace qx {

namespace {

using telnet::kBinary;
using telnet::kComPortOption;

// The most taken in at once.
constexpr std::size_t kReceiveChunk = 4096;
// The start of the connection's data kept for saying what a server said
// before it closed.
constexpr std::size_t kSaidBytes = 256;

// What a server said before it closed the connection, on one line.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            if (!line.empty()) break;
            continue;
        }
        if (static_cast<unsigned char>(c) >= 0x20) line += c;
    }
    return line;
}

std::string ServerName(const NetworkPortAddress& address) {
    const bool v6 = address.host.find(':') != std::string::npos;
    return (v6 ? "[" + address.host + "]" : address.host) + ":" + address.port;
}

// Sets a flag for as long as it lives.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
};

}  // namespace

NetworkSerialDevice::~NetworkSerialDevice() { Close(); }

// A port server frees its port only when it has closed its side of the
// connection; a client that reopens at once (at a new rate, say) would find
// the port still taken. The connection is handed to the ClosingConnections,
// whose next opening of this server waits for that; without one, closing
// waits itself, briefly.
void NetworkSerialDevice::Close() {
    if (socket_.Valid() && !ended_ && socket_.ShutdownSending()) {
        if (closing_) {
            closing_->Keep(server_, std::move(socket_));
        } else {
            dropping_ = true;
            PumpUntil([this] { return ended_; }, SteadyNowMs() + kServerCloseMs);
        }
    }
    socket_.Close();
    decoder_ = {};
    negotiator_ = {};
    received_.clear();
    said_.clear();
    ended_ = false;
    overflow_ = false;
    dropping_ = false;
    awaited_.clear();
    answered_ = {};
    modemState_.reset();
    purgeUnanswered_ = false;
}

OpenStatus NetworkSerialDevice::Fail(OpenStatus status, std::string detail) {
    if (abandoned_) status = OpenStatus::Abandoned;
    Close();
    failure_ = std::move(detail);
    return status;
}

OpenStatus NetworkSerialDevice::Open(const std::string& path, const LineSettings& settings) {
    Close();
    failure_.clear();
    abandoned_ = false;
    const Raised opening(opening_);
    const auto address = ParseNetworkPort(path);
    if (!address) return Fail(OpenStatus::BadAddress, "expected " + std::string(kNetworkPortForms));
    server_ = ServerName(*address);
    scheme_ = address->scheme;
    const long long connectDeadline = SteadyNowMs() + kServerAnswerMs;
    // Our own last connection to this server first (see Close).
    if (closing_) closing_->AwaitRelease(server_, connectDeadline);
    TcpConnectResult connected = ConnectTcp(address->host, address->port, connectDeadline, openStop_);
    if (connected.status != OpenStatus::Opened) return Fail(connected.status, std::move(connected.detail));
    socket_ = std::move(connected.socket);
    if (!Telnet()) return OpenStatus::Opened;
    return Negotiate(settings, SteadyNowMs() + kServerAnswerMs);
}

// The option first (the server must agree before it may be used), then the
// four line settings, each of which the server answers with the value it
// now holds: anything else than asked is a port that cannot be used so.
OpenStatus NetworkSerialDevice::Negotiate(const LineSettings& settings, long long deadline) {
    auto silent = [this](const std::string& what) {
        if (overflow_)
            return Fail(OpenStatus::NetworkError, "more than " + std::to_string(kInputCap / 1024) +
                                                      " KiB came before the RFC 2217 option was agreed");
        // A server that closes at once has usually said why: a port server
        // whose port has a client already tells the next one so.
        if (const auto refused = Refusal()) return Fail(refused->status, refused->detail);
        return Fail(OpenStatus::NoAnswer, what);
    };
    Send(negotiator_.Opening(true), deadline);
    const bool agreed = PumpUntil(
        [this] { return negotiator_.Enabled(kComPortOption, true) || negotiator_.Refused(kComPortOption); },
        deadline);
    if (!agreed) return silent("no answer to the RFC 2217 option");
    if (negotiator_.Refused(kComPortOption))
        return Fail(OpenStatus::NetworkError, "the server does not offer RFC 2217 port control (try socket://)");

    std::string kept;
    switch (AskLine(settings, deadline, kept)) {
        case Asked::Agreed: break;
        case Asked::Kept: return Fail(OpenStatus::SettingsRefused, kept);
        case Asked::Unanswered: return silent("the line settings were not acknowledged");
    }
    line_ = settings;
    return OpenStatus::Opened;
}

NetworkSerialDevice::Asked NetworkSerialDevice::AskLine(const LineSettings& settings, long long deadline,
                                                        std::string& kept) {
    std::string asks;
    if (settings.rate) {
        asks += rfc2217::SetBaudRate(static_cast<std::uint32_t>(*settings.rate));
        awaited_.push_back(rfc2217::Code::SetBaudRate);
    }
    if (settings.dataBits) {
        asks += rfc2217::SetDataSize(*settings.dataBits);
        awaited_.push_back(rfc2217::Code::SetDataSize);
    }
    asks += rfc2217::SetParity(settings.parity) + rfc2217::SetStopSize(settings.stopBits);
    awaited_.push_back(rfc2217::Code::SetParity);
    awaited_.push_back(rfc2217::Code::SetStopSize);
    Send(asks, deadline);
    if (!PumpUntil([this] { return awaited_.empty(); }, deadline)) {
        awaited_.clear();
        return Asked::Unanswered;
    }
    kept = rfc2217::KeptSettingText(settings, answered_);
    return kept.empty() ? Asked::Agreed : Asked::Kept;
}

// The server's port is asked for the settings a module is about to move
// to, and set back to those of the session whatever it answered.
LineFollow NetworkSerialDevice::CanFollow(const LineSettings& next) {
    if (!Telnet()) return {LineFollow::Kind::ServerFixed, {}};
    if (!socket_.Valid() || ended_) return {LineFollow::Kind::ServerKept, "closed the connection"};
    std::string kept;
    const Asked asked = AskLine(next, SteadyNowMs() + kServerAnswerMs, kept);
    std::string ignored;
    AskLine(line_, SteadyNowMs() + kServerAnswerMs, ignored);
    switch (asked) {
        case Asked::Agreed: return {};
        case Asked::Kept: return {LineFollow::Kind::ServerKept, kept};
        case Asked::Unanswered: break;
    }
    return {LineFollow::Kind::ServerKept, "did not answer when asked for other line settings"};
}

std::optional<OpenRefusal> NetworkSerialDevice::Refusal() const {
    if (!ended_ || overflow_) return std::nullopt;
    const std::string said = OneLine(said_);
    if (!said.empty()) return OpenRefusal{OpenStatus::InUse, said};
    return OpenRefusal{OpenStatus::NetworkError, "the server closed the connection"};
}

std::optional<int> NetworkSerialDevice::CurrentRate() const {
    if (!answered_.rate) return std::nullopt;
    return static_cast<int>(*answered_.rate);
}

template <typename Done>
bool NetworkSerialDevice::PumpUntil(Done done, long long deadline) {
    for (;;) {
        if (done()) return true;
        const bool stoppable = opening_ && openStop_;
        if (stoppable && openStop_()) {
            abandoned_ = true;
            return false;
        }
        const int left = MsUntil(deadline);
        const int ms = stoppable && (left < 0 || left > kStopPollMs) ? kStopPollMs : left;
        const WaitResult r = Pump(ms);
        if (r == WaitResult::Failed) return false;
        if (left == 0 || MsUntil(deadline) == 0) return done();
    }
}

WaitResult NetworkSerialDevice::Pump(int ms) {
    if (!socket_.Valid() || ended_) return WaitResult::Failed;
    const WaitResult ready = socket_.WaitReadable(ms);
    if (ready == WaitResult::Failed) ended_ = true;
    if (ready != WaitResult::Ready) return ready;
    std::string taken;
    const TcpSocket::Received received = socket_.Receive(taken, kReceiveChunk);
    if (received == TcpSocket::Received::Nothing) return WaitResult::Ready;
    if (received == TcpSocket::Received::Ended) {
        ended_ = true;
        return WaitResult::Failed;
    }
    if (!Telnet()) {
        TakeData(taken);
    } else {
        std::vector<telnet::Event> events;
        decoder_.Feed(taken, negotiator_.Enabled(kBinary, false), events);
        for (const telnet::Event& e : events) Handle(e);
    }
    return ended_ ? WaitResult::Failed : WaitResult::Ready;
}

// Beyond the cap the connection is no more use: it fails as a broken one
// does, and what was held is dropped.
void NetworkSerialDevice::TakeData(std::string_view data) {
    if (said_.size() < kSaidBytes) said_.append(data.substr(0, kSaidBytes - said_.size()));
    if (dropping_) return;
    if (received_.size() + data.size() > kInputCap) {
        overflow_ = true;
        ended_ = true;
        received_.clear();
        return;
    }
    received_ += data;
}

void NetworkSerialDevice::Handle(const telnet::Event& event) {
    if (const auto* data = std::get_if<std::string>(&event)) {
        TakeData(*data);
    } else if (const auto* command = std::get_if<telnet::Command>(&event)) {
        const std::string answer = negotiator_.Answer(*command);
        if (!answer.empty()) Send(answer, SteadyNowMs() + kServerAnswerMs);
    } else if (const auto answer = rfc2217::ReadAnswer(std::get<telnet::Subnegotiation>(event))) {
        const auto it = std::find(awaited_.begin(), awaited_.end(), answer->code);
        if (it != awaited_.end()) awaited_.erase(it);
        rfc2217::TakeLineAnswer(*answer, answered_);
        if (answer->code == rfc2217::Code::NotifyModemState && !answer->value.empty())
            modemState_ = static_cast<unsigned char>(answer->value[0]);
        if (answer->code == rfc2217::Code::PurgeData) dropping_ = false;
    }
}

bool NetworkSerialDevice::Send(const std::string& wire, long long deadline) {
    if (!socket_.Valid() || ended_) return false;
    const WriteEnd end = socket_.Send(wire, deadline);
    if (end == WriteEnd::Failed) ended_ = true;
    return end == WriteEnd::Done;
}

std::optional<std::string> NetworkSerialDevice::Read(std::size_t maxBytes) {
    if (!socket_.Valid()) return std::nullopt;
    ReadSource source;
    source.wait = [this](int ms) { return received_.empty() ? Pump(ms) : WaitResult::Ready; };
    source.take = [this](std::size_t want, std::string& out) {
        if (received_.empty()) return !ended_;
        const std::size_t n = std::min(want, received_.size());
        out.append(received_, 0, n);
        received_.erase(0, n);
        return true;
    };
    return TimedRead(timeouts_, maxBytes, source);
}

// A write cut short by its time-out counts as done, as on a local port;
// only a broken connection fails it.
bool NetworkSerialDevice::Write(const std::string& text) {
    if (!socket_.Valid() || ended_) return false;
    const long long deadline = Deadline(timeouts_.writeTotalPerByte, timeouts_.writeTotalConstant, text.size());
    const std::string wire = Telnet() ? telnet::EncodeData(text, negotiator_.Enabled(kBinary, true)) : text;
    return Send(wire, deadline) || !ended_;
}

// The input purge drops what has come in and, over RFC 2217, what the
// server holds from its port: data up to the server's answer to the purge
// is stale, data after it is new. A server that leaves a purge unanswered
// is not waited for again. Without the server's answer, what has come in
// so far is dropped, up to the cap: a server that never stops sending
// cannot hold the purge. The output purge sends nothing: bytes handed to
// the server are on their way to its port, and purging the server's
// transmit side could drop a command it has not written out yet.
void NetworkSerialDevice::Purge(unsigned flags) {
    if (!socket_.Valid() || !(flags & kPurgeInput)) return;
    received_.clear();
    if (Telnet() && !purgeUnanswered_ && !ended_) {
        const long long deadline = SteadyNowMs() + kServerAnswerMs;
        dropping_ = true;
        if (Send(rfc2217::PurgeData(rfc2217::PurgeTarget::Receive), deadline) &&
            PumpUntil([this] { return !dropping_; }, deadline))
            return;
        if (!ended_) purgeUnanswered_ = true;
        dropping_ = false;
    }
    for (std::size_t pumps = 0; pumps < kInputCap / kReceiveChunk && Pump(0) == WaitResult::Ready; ++pumps)
        received_.clear();
    received_.clear();
}

CtsState NetworkSerialDevice::Cts() const {
    if (!Telnet() || !modemState_) return CtsState::CannotTell;
    return rfc2217::CtsFromModemState(*modemState_);
}

}  // namespace qx
