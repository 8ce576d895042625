#pragma once
// The COM-PORT-OPTION of Telnet (RFC 2217): how a client sets the line of a
// serial port on a port server and learns the server's answers. Messages
// are whole Telnet subnegotiations, ready to send; answers are read from
// the subnegotiations the Telnet decoder hands over.

#include <cstdint>
#include <optional>
#include <string>

#include "serial/serial_device.h"
#include "serial/telnet_codec.h"

namespace qx::rfc2217 {

// Client-to-server command codes; the server answers with code + 100.
enum class Code : unsigned char {
    SetBaudRate = 1,
    SetDataSize = 2,
    SetParity = 3,
    SetStopSize = 4,
    NotifyModemState = 7,
    PurgeData = 12,
};

// PURGE-DATA: which of the server's buffers.
enum class PurgeTarget : unsigned char { Receive = 1, Transmit = 2, Both = 3 };

std::string SetBaudRate(std::uint32_t rate);
std::string SetDataSize(int bits);
std::string SetParity(Parity parity);
std::string SetStopSize(StopBits stopBits);
std::string PurgeData(PurgeTarget target);

// A server's answer: the command it answers and the value it holds now.
struct Answer {
    Code code;
    std::string value;
};

// The answer carried by `sub`, when it is a COM-PORT-OPTION answer.
std::optional<Answer> ReadAnswer(const telnet::Subnegotiation& sub);

// The rate in a SET-BAUDRATE answer (four bytes, network order).
std::optional<std::uint32_t> BaudRateOf(const Answer& answer);

// The line settings a server's answers said its port holds, as far as it
// has answered them.
struct LineAnswers {
    std::optional<std::uint32_t> rate;
    std::optional<int> dataBits;
    std::optional<Parity> parity;
    std::optional<StopBits> stopBits;
};

// Takes `answer` into `line` when it answers a line setting.
void TakeLineAnswer(const Answer& answer, LineAnswers& line);

// Where the server's answers differ from what was asked, in words: "kept
// 9600 when asked for 19200" (the first difference); empty when they agree.
std::string KeptSettingText(const LineSettings& asked, const LineAnswers& answered);

// The CTS line from a NOTIFY-MODEMSTATE value. A value with no line up at
// all (no CTS, DSR, RI or carrier) comes from a server that cannot see the
// lines (a pseudo-terminal behind it, say), which counts as "cannot tell",
// as a pseudo-terminal does on this computer.
CtsState CtsFromModemState(unsigned char state);

}  // namespace qx::rfc2217
