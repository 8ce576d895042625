#include "serial/com_port_control.h"

namespace qx::rfc2217 {

namespace {

constexpr unsigned char kAnswerOffset = 100;
constexpr unsigned char kCtsLine = 0x10;
constexpr unsigned char kAnyLine = 0xF0;  // CTS, DSR, RI, carrier detect

std::string Message(Code code, std::string value) {
    return telnet::EncodeSubnegotiation(telnet::kComPortOption,
                                        std::string(1, static_cast<char>(code)) + std::move(value));
}

std::string OneByte(unsigned value) { return std::string(1, static_cast<char>(value)); }

}  // namespace

std::string SetBaudRate(std::uint32_t rate) {
    std::string value;
    for (int shift = 24; shift >= 0; shift -= 8) value += static_cast<char>((rate >> shift) & 0xFF);
    return Message(Code::SetBaudRate, value);
}

std::string SetDataSize(int bits) { return Message(Code::SetDataSize, OneByte(static_cast<unsigned>(bits))); }

// The protocol counts parity 1 none, 2 odd, 3 even.
std::string SetParity(Parity parity) {
    return Message(Code::SetParity, OneByte(static_cast<unsigned>(parity) + 1));
}

std::string SetStopSize(StopBits stopBits) { return Message(Code::SetStopSize, OneByte(stopBits == StopBits::Two ? 2 : 1)); }

std::string PurgeData(PurgeTarget target) { return Message(Code::PurgeData, OneByte(static_cast<unsigned>(target))); }

std::optional<Answer> ReadAnswer(const telnet::Subnegotiation& sub) {
    if (sub.option != telnet::kComPortOption || sub.payload.empty()) return std::nullopt;
    const auto code = static_cast<unsigned char>(sub.payload[0]);
    if (code <= kAnswerOffset) return std::nullopt;
    return Answer{static_cast<Code>(code - kAnswerOffset), sub.payload.substr(1)};
}

std::optional<std::uint32_t> BaudRateOf(const Answer& answer) {
    if (answer.code != Code::SetBaudRate || answer.value.size() != 4) return std::nullopt;
    std::uint32_t rate = 0;
    for (const char c : answer.value) rate = (rate << 8) | static_cast<unsigned char>(c);
    return rate;
}

CtsState CtsFromModemState(unsigned char state) {
    if ((state & kAnyLine) == 0) return CtsState::CannotTell;
    return (state & kCtsLine) ? CtsState::Present : CtsState::Absent;
}

}  // namespace qx::rfc2217
