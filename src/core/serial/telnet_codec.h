#pragma once
// The Telnet layer of a network serial port (RFC 854/855): data with its
// IAC bytes doubled, the option commands DO/DONT/WILL/WONT, and
// subnegotiations. Pure byte work, no sockets: the network device feeds it
// what the socket brought and sends what it asks to send.
//
// Options this client takes: BINARY both ways (a module's bytes pass
// unchanged, CR included), SUPPRESS-GO-AHEAD both ways, and on its own side
// COM-PORT-OPTION (RFC 2217). Every other option the server offers or asks
// for is refused once, with DONT or WONT, as the protocol asks.

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qx::telnet {

inline constexpr unsigned char kIac = 255;
inline constexpr unsigned char kDont = 254;
inline constexpr unsigned char kDo = 253;
inline constexpr unsigned char kWont = 252;
inline constexpr unsigned char kWill = 251;
inline constexpr unsigned char kSb = 250;
inline constexpr unsigned char kSe = 240;

inline constexpr unsigned char kBinary = 0;
inline constexpr unsigned char kSuppressGoAhead = 3;
inline constexpr unsigned char kComPortOption = 44;

// Data as it goes on the wire: every IAC doubled; without the binary
// option a CR travels as CR NUL (the network virtual terminal's bare CR).
std::string EncodeData(std::string_view data, bool binary);

// IAC verb option.
std::string EncodeCommand(unsigned char verb, unsigned char option);
// IAC SB option payload IAC SE, the payload's IAC bytes doubled.
std::string EncodeSubnegotiation(unsigned char option, std::string_view payload);

struct Command {
    unsigned char verb;  // kDo, kDont, kWill or kWont
    unsigned char option;
    bool operator==(const Command&) const = default;
};

struct Subnegotiation {
    unsigned char option;
    std::string payload;  // IAC doubling undone
    bool operator==(const Subnegotiation&) const = default;
};

// What the wire carried, in order: data runs, commands, subnegotiations.
using Event = std::variant<std::string, Command, Subnegotiation>;

// Splits the byte stream from the server into events. A sequence cut
// between two chunks is completed by the next chunk. Other two-byte
// commands (NOP, GA, AYT...) are dropped. A subnegotiation keeps at most
// kMaxSubnegotiation bytes of its payload (a server that never ends one
// cannot fill the memory); the rest is dropped.
class Decoder {
public:
    static constexpr std::size_t kMaxSubnegotiation = 1024;

    // `binary`: whether the server sends in binary (otherwise the NUL of
    // CR NUL is dropped).
    void Feed(std::string_view wire, bool binary, std::vector<Event>& events);

private:
    enum class State { Data, Iac, Verb, Sub, SubOption, SubIac, AfterCr };
    void AddData(char c, std::vector<Event>& events);

    State state_ = State::Data;
    unsigned char verb_ = 0;
    Subnegotiation sub_{};
};

// Which options are on, on either side, and the answers to the server's
// commands that keep both sides agreed without answering an answer.
class Negotiator {
public:
    // The requests this client opens with: WILL COM-PORT-OPTION (when
    // `comPort`), WILL and DO BINARY, WILL and DO SUPPRESS-GO-AHEAD.
    std::string Opening(bool comPort);
    // The bytes to send in answer to `command` (often none).
    std::string Answer(const Command& command);

    // Whether this side (`ours`) or the server's has the option on.
    bool Enabled(unsigned char option, bool ours) const;
    // Whether the server refused an option this client asked to use itself.
    bool Refused(unsigned char option) const { return side_[kOurs][option] == Side::Refused; }

private:
    enum class Side : unsigned char { Off, Requested, On, Refused };
    static constexpr int kOurs = 0;
    static constexpr int kTheirs = 1;
    bool Wanted(unsigned char option, bool ours) const;
    std::string Request(unsigned char option, bool ours);

    std::array<std::array<Side, 256>, 2> side_{};
    bool comPort_ = false;
};

}  // namespace qx::telnet
