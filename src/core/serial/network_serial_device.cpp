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

}  // namespace

NetworkSerialDevice::~NetworkSerialDevice() { Close(); }

// A port server frees its port only when it has closed its side of the
// connection; a client that reopens at once (at a new rate, say) would find
// the port still taken. So the closing waits, briefly, for the server to
// close too.
void NetworkSerialDevice::Close() {
    if (socket_.Valid() && !ended_ && socket_.ShutdownSending()) {
        dropping_ = true;
        const long long deadline = SteadyNowMs() + kServerCloseMs;
        PumpUntil([this] { return ended_; }, deadline);
    }
    socket_.Close();
    decoder_ = {};
    negotiator_ = {};
    received_.clear();
    ended_ = false;
    dropping_ = false;
    awaited_.clear();
    rate_.reset();
    modemState_.reset();
    purgeUnanswered_ = false;
}

OpenStatus NetworkSerialDevice::Fail(OpenStatus status, std::string detail) {
    Close();
    failure_ = std::move(detail);
    return status;
}

OpenStatus NetworkSerialDevice::Open(const std::string& path, const LineSettings& settings) {
    Close();
    failure_.clear();
    const auto address = ParseNetworkPort(path);
    if (!address) return Fail(OpenStatus::BadAddress, "expected " + std::string(kNetworkPortForms));
    TcpConnectResult connected = ConnectTcp(address->host, address->port, SteadyNowMs() + kServerAnswerMs);
    if (connected.status != OpenStatus::Opened) return Fail(connected.status, std::move(connected.detail));
    socket_ = std::move(connected.socket);
    scheme_ = address->scheme;
    if (!Telnet()) return OpenStatus::Opened;
    return Negotiate(settings, SteadyNowMs() + kServerAnswerMs);
}

// The option first (the server must agree before it may be used), then the
// four line settings, each of which the server answers with the value it
// now holds.
OpenStatus NetworkSerialDevice::Negotiate(const LineSettings& settings, long long deadline) {
    auto silent = [this](const std::string& what) {
        // A server that closes at once has usually said why: a port server
        // whose port has a client already tells the next one so.
        const std::string said = OneLine(received_);
        if (ended_ && !said.empty()) return Fail(OpenStatus::InUse, said);
        if (ended_) return Fail(OpenStatus::NetworkError, "the server closed the connection");
        return Fail(OpenStatus::NoAnswer, what);
    };
    Send(negotiator_.Opening(true), deadline);
    const bool agreed = PumpUntil(
        [this] { return negotiator_.Enabled(kComPortOption, true) || negotiator_.Refused(kComPortOption); },
        deadline);
    if (!agreed) return silent("no answer to the RFC 2217 option");
    if (negotiator_.Refused(kComPortOption))
        return Fail(OpenStatus::NetworkError, "the server does not offer RFC 2217 port control (try socket://)");

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
    if (!PumpUntil([this] { return awaited_.empty(); }, deadline))
        return silent("the line settings were not acknowledged");
    return OpenStatus::Opened;
}

template <typename Done>
bool NetworkSerialDevice::PumpUntil(Done done, long long deadline) {
    for (;;) {
        if (done()) return true;
        const int ms = MsUntil(deadline);
        const WaitResult r = Pump(ms);
        if (r == WaitResult::Failed) return false;
        if (r == WaitResult::TimedOut || ms == 0) return done();
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
    const std::string_view wire(taken);
    if (!Telnet()) {
        if (!dropping_) received_ += wire;
        return WaitResult::Ready;
    }
    std::vector<telnet::Event> events;
    decoder_.Feed(wire, negotiator_.Enabled(kBinary, false), events);
    for (const telnet::Event& e : events) Handle(e);
    return WaitResult::Ready;
}

void NetworkSerialDevice::Handle(const telnet::Event& event) {
    if (const auto* data = std::get_if<std::string>(&event)) {
        if (!dropping_) received_ += *data;
    } else if (const auto* command = std::get_if<telnet::Command>(&event)) {
        const std::string answer = negotiator_.Answer(*command);
        if (!answer.empty()) Send(answer, SteadyNowMs() + kServerAnswerMs);
    } else if (const auto answer = rfc2217::ReadAnswer(std::get<telnet::Subnegotiation>(event))) {
        const auto it = std::find(awaited_.begin(), awaited_.end(), answer->code);
        if (it != awaited_.end()) awaited_.erase(it);
        switch (answer->code) {
            case rfc2217::Code::SetBaudRate:
                if (const auto rate = rfc2217::BaudRateOf(*answer)) rate_ = static_cast<int>(*rate);
                break;
            case rfc2217::Code::NotifyModemState:
                if (!answer->value.empty()) modemState_ = static_cast<unsigned char>(answer->value[0]);
                break;
            case rfc2217::Code::PurgeData: dropping_ = false; break;
            default: break;
        }
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
// is not waited for again. The output purge sends nothing: bytes handed to
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
    while (Pump(0) == WaitResult::Ready) received_.clear();
    received_.clear();
}

CtsState NetworkSerialDevice::Cts() const {
    if (!Telnet() || !modemState_) return CtsState::CannotTell;
    return rfc2217::CtsFromModemState(*modemState_);
}

}  // namespace qx
