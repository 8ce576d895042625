#include "serial/vv_comm.h"

#include <chrono>
#include <thread>

#include "serial/host_serial_settings.h"
#include "serial/open_failure_hint.h"
#include "serial/port_map.h"
#include "serial/reply_wait_bound.h"
#include "serial/serial_errors.h"

namespace qx {

namespace {

// Time-outs in force right after opening.
using namespace std::chrono_literals;

constexpr CommTimeouts kOpenTimeouts{.readInterval = 50ms,
                                     .readTotalPerByte = 1ms,
                                     .readTotalConstant = 0ms,
                                     .writeTotalPerByte = 1ms,
                                     .writeTotalConstant = 10ms};

// At 1200 bit/s a module pauses longer than the usual interval between the
// lines of its settings listing.
constexpr auto kSlowListingInterval = 350ms;
constexpr int kSlowListingRate = 1200;
constexpr auto kCtsRetry = 50ms;

}  // namespace

bool IsLongReplyCommand(const std::string& command) {
    return command.find("AT&V") != std::string::npos || command.find("ATI") != std::string::npos ||
           command.find("+++") != std::string::npos;
}

bool IsNumericOk(const std::string& reply) { return reply == "0\r" || reply.find("\r0\r") != std::string::npos; }

bool ReplyHoldsExpected(const std::string& reply, const std::string& expected, bool senderStopped) {
    if (expected.empty()) return false;
    const std::size_t at = reply.find(expected);
    if (at == std::string::npos) return false;
    if (expected.back() != '=' || senderStopped) return true;
    return reply.find_first_of(" \r\n", at + expected.size()) != std::string::npos;
}

TVVComm::TVVComm(std::unique_ptr<SerialDevice> device, PathResolver resolvePath, NameResolver resolveName)
    : device_(std::move(device)), resolvePath_(std::move(resolvePath)), resolveName_(std::move(resolveName)) {
    if (!resolveName_) resolveName_ = PortName;
}

// Unlike the port it stands for, the object releases its port when it goes:
// no path can leave a port open behind a destroyed channel.
TVVComm::~TVVComm() { ClosePort(); }

bool TVVComm::IsOpen() const { return device_->IsOpen(); }

LineSettings LineSettingsOf(std::uint8_t baudIndex, std::uint8_t parity, std::uint8_t stopBits,
                            std::uint8_t dataBitsIndex) {
    LineSettings line;
    if (const auto rate = HostRateBitsPerSecond(baudIndex)) line.rate = *rate;
    if (dataBitsIndex <= 4) line.dataBits = 4 + dataBitsIndex;
    line.parity = parity == 1 ? qx::Parity::Odd : parity == 2 ? qx::Parity::Even : qx::Parity::None;
    line.stopBits = stopBits == 0 ? qx::StopBits::One : qx::StopBits::Two;
    return line;
}

void TVVComm::OpenPort() {
    const std::string name = resolveName_(PortIndex);
    if (device_->IsOpen()) throw EPortAlreadyOpen(name + "- The port is already open.");

    const std::string path = resolvePath_(PortIndex);
    device_->SetOpenStop(OpenStop);
    answeredOnce_ = false;
    const OpenStatus status = device_->Open(path, LineSettingsOf(BaudIndex, Parity, StopBits, DataBitsIndex));
    if (status == OpenStatus::Abandoned) throw EOpenAbandoned(name + "- The opening was cancelled.");
    if (status == OpenStatus::NotCharacterDevice)
        throw ECommsError(name + "- Handle is not a communications port handle.");
    if (status != OpenStatus::Opened)
        throw EOpeningPortError(name + "- This port may be already in use or not present.",
                                OpenFailureHint(status, path, device_->OpenFailureDetail(), PortsHint));
    device_->SetTimeouts(kOpenTimeouts);
}

void TVVComm::ClosePort() { device_->Close(); }

LineFollow TVVComm::CanFollow(std::uint8_t baudIndex, std::uint8_t parity, std::uint8_t stopBits,
                              std::uint8_t dataBitsIndex) {
    return device_->CanFollow(LineSettingsOf(baudIndex, parity, stopBits, dataBitsIndex));
}

void TVVComm::ThrowIfRefused() const {
    if (answeredOnce_) return;
    const auto refused = device_->Refusal();
    if (!refused) return;
    const std::string path = resolvePath_(PortIndex);
    throw EOpeningPortError(resolveName_(PortIndex) + "- This port may be already in use or not present.",
                            OpenFailureHint(refused->status, path, refused->detail, PortsHint));
}

void TVVComm::PurgePort() {
    device_->Purge(kPurgeOutput);
    device_->Purge(kPurgeInput);
}

ExchangeEnd TVVComm::SendAndWait(const std::string& command, const std::string& expected,
                                 std::chrono::milliseconds wait) {
    device_->SetTimeouts(ExchangeTimeouts(wait));
    const bool longReply = IsLongReplyCommand(command);
    if (command.find("AT&V") != std::string::npos && device_->CurrentRate() == kSlowListingRate) {
        CommTimeouts t = device_->Timeouts();
        t.readInterval = kSlowListingInterval;
        device_->SetTimeouts(t);
    }
    if (!WriteText(command)) {
        ThrowIfRefused();
        return ExchangeEnd::NotSent;
    }
    const ExchangeEnd end = ReadReply(expected, longReply);
    if (end == ExchangeEnd::Answered) answeredOnce_ = true;
    else ThrowIfRefused();
    return end;
}

bool TVVComm::WriteText(const std::string& text) {
    CtsState cts = device_->Cts();
    // Whatever the module sent before this command is not its answer.
    device_->Purge(kPurgeOutput);
    device_->Purge(kPurgeInput);
    if (!CtsAllowsWrite(cts)) {
        std::this_thread::sleep_for(kCtsRetry);
        cts = device_->Cts();
        if (!CtsAllowsWrite(cts)) throw ECommsError("CTS on modem was not detected.");
    }
    const bool written = device_->Write(text);
    device_->Purge(kPurgeOutput);
    return written;
}

ExchangeEnd TVVComm::ReadReply(const std::string& expected, bool longReply) {
    const ReadPlan plan = PlanReplyReads(expected, longReply);
    std::string reply;
    bool readFailed = false;
    bool senderStopped = false;
    for (int reads = 1;; ++reads) {
        const auto chunk = device_->Read(plan.size);
        if (!chunk) {
            readFailed = true;
            break;
        }
        reply += *chunk;
        senderStopped = chunk->size() < plan.size;
        if (reads >= plan.count || expected.empty()) break;
        if (ReplyHoldsExpected(reply, expected, senderStopped) || IsNumericOk(reply)) break;
        if (stop_ && stop_()) break;
    }
    Deliver(reply);
    // Whatever comes after the wait ended belongs to no command.
    device_->Purge(kPurgeInput);
    if (IsNumericOk(reply) || ReplyHoldsExpected(reply, expected, senderStopped && !readFailed))
        return ExchangeEnd::Answered;
    return readFailed ? ExchangeEnd::PortFailed : ExchangeEnd::Unanswered;
}

bool TVVComm::PollRead() {
    const auto chunk = device_->Read(kReadBufferSize);
    if (chunk && !chunk->empty()) Deliver(*chunk);
    device_->Purge(kPurgeInput);
    return chunk.has_value();
}

void TVVComm::Deliver(const std::string& text) {
    if (onReceive_) onReceive_(text);
}

}  // namespace qx
