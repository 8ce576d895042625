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

void TakeLineAnswer(const Answer& answer, LineAnswers& line) {
    const auto byte = [&answer]() -> std::optional<int> {
        if (answer.value.size() != 1) return std::nullopt;
        return static_cast<unsigned char>(answer.value[0]);
    };
    switch (answer.code) {
        case Code::SetBaudRate:
            if (const auto rate = BaudRateOf(answer)) line.rate = *rate;
            break;
        case Code::SetDataSize: line.dataBits = byte(); break;
        case Code::SetParity:
            if (const auto p = byte(); p && *p >= 1 && *p <= 3) line.parity = static_cast<Parity>(*p - 1);
            else line.parity.reset();
            break;
        case Code::SetStopSize:
            if (const auto b = byte(); b == 1 || b == 2) line.stopBits = *b == 2 ? StopBits::Two : StopBits::One;
            else line.stopBits.reset();
            break;
        default: break;
    }
}

namespace {

std::string ParityWords(std::optional<Parity> parity) {
    if (!parity) return "an unknown parity";
    switch (*parity) {
        case Parity::None: return "no parity";
        case Parity::Odd: return "odd parity";
        case Parity::Even: return "even parity";
    }
    return "an unknown parity";
}

template <typename T>
std::string Shown(const std::optional<T>& value, const std::string& unit) {
    return value ? std::to_string(*value) + unit : "nothing";
}

std::string StopWords(std::optional<StopBits> stop) {
    if (!stop) return "nothing";
    return *stop == StopBits::Two ? "2 stop bits" : "1 stop bit";
}

}  // namespace

std::string KeptSettingText(const LineSettings& asked, const LineAnswers& answered) {
    if (asked.rate && answered.rate != static_cast<std::uint32_t>(*asked.rate))
        return "kept " + Shown(answered.rate, "") + " when asked for " + std::to_string(*asked.rate);
    if (asked.dataBits && answered.dataBits != asked.dataBits)
        return "kept " + Shown(answered.dataBits, " data bits") + " when asked for " + std::to_string(*asked.dataBits) +
               " data bits";
    if (answered.parity != asked.parity)
        return "kept " + ParityWords(answered.parity) + " when asked for " + ParityWords(asked.parity);
    if (answered.stopBits != asked.stopBits)
        return "kept " + StopWords(answered.stopBits) + " when asked for " + StopWords(asked.stopBits);
    return {};
}

CtsState CtsFromModemState(unsigned char state) {
    if ((state & kAnyLine) == 0) return CtsState::CannotTell;
    return (state & kCtsLine) ? CtsState::Present : CtsState::Absent;
}

}  // namespace qx::rfc2217
