// Network serial ports apart from any server: the Telnet codec, the
// COM-PORT-OPTION messages and the network port names.

#include <gtest/gtest.h>

#include "serial/com_port_control.h"
#include "serial/network_port_address.h"
#include "serial/telnet_codec.h"

namespace qx {
namespace {

using namespace telnet;

std::string Bytes(std::initializer_list<unsigned> values) {
    std::string s;
    for (const unsigned v : values) s += static_cast<char>(v);
    return s;
}

TEST(TelnetCodec, DataOnTheWire) {
    struct Case {
        std::string data;
        bool binary;
        std::string wire;
    } cases[] = {
        {"AT&V\r", true, "AT&V\r"},
        {Bytes({'A', 255, 'B'}), true, Bytes({'A', 255, 255, 'B'})},
        {Bytes({255, 255}), false, Bytes({255, 255, 255, 255})},
        {"ATZ\r", false, Bytes({'A', 'T', 'Z', '\r', 0})},  // a bare CR outside binary mode
        {"", true, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(EncodeData(c.data, c.binary), c.wire) << c.data;
}

// Each case is fed in every split into two chunks: a sequence cut by the
// network is put together again.
TEST(TelnetCodec, DecoderEventsSurviveEverySplit) {
    struct Case {
        const char* name;
        std::string wire;
        bool binary;
        std::vector<Event> events;
    } cases[] = {
        {"plain data", "OK\r\n", true, {std::string("OK\r\n")}},
        {"doubled IAC is one data byte", Bytes({'a', 255, 255, 'b'}), true, {Bytes({'a', 255, 'b'})}},
        {"commands between data",
         Bytes({'x', 255, kDo, kComPortOption, 255, kWill, kBinary, 'y'}),
         true,
         {std::string("x"), Command{kDo, kComPortOption}, Command{kWill, kBinary}, std::string("y")}},
        {"subnegotiation with a doubled IAC",
         Bytes({255, kSb, 44, 101, 0, 0, 255, 255, 255, kSe, 'z'}),
         true,
         {Subnegotiation{44, Bytes({101, 0, 0, 255})}, std::string("z")}},
        {"NOP and GA carry nothing", Bytes({'a', 255, 241, 255, 249, 'b'}), true, {std::string("ab")}},
        {"CR NUL outside binary mode", Bytes({'O', 'K', '\r', 0, '\n'}), false, {std::string("OK\r\n")}},
        {"NUL kept in binary mode", Bytes({'\r', 0}), true, {Bytes({'\r', 0})}},
    };
    for (const Case& c : cases) {
        for (std::size_t cut = 0; cut <= c.wire.size(); ++cut) {
            SCOPED_TRACE(std::string(c.name) + ", cut at " + std::to_string(cut));
            Decoder decoder;
            std::vector<Event> events;
            decoder.Feed(std::string_view(c.wire).substr(0, cut), c.binary, events);
            decoder.Feed(std::string_view(c.wire).substr(cut), c.binary, events);
            // Data cut in two comes as two runs: join neighbouring runs.
            std::vector<Event> joined;
            for (Event& e : events) {
                if (!joined.empty() && std::holds_alternative<std::string>(joined.back()) &&
                    std::holds_alternative<std::string>(e))
                    std::get<std::string>(joined.back()) += std::get<std::string>(e);
                else
                    joined.push_back(std::move(e));
            }
            EXPECT_EQ(joined, c.events);
        }
    }
}

// The answers to a server's commands, in order, after this client's opening
// requests: agreed options are not answered again, others refused once.
TEST(TelnetCodec, NegotiationAnswersEachCommandOnce) {
    struct Case {
        const char* name;
        Command command;
        std::string answer;
    } cases[] = {
        {"server takes our COM-PORT-OPTION", {kDo, kComPortOption}, ""},
        {"server will send binary, as asked", {kWill, kBinary}, ""},
        {"server asks us for binary, as offered", {kDo, kBinary}, ""},
        {"server offers to echo: refused", {kWill, 1}, Bytes({255, kDont, 1})},
        {"server tells us not to echo: nothing to do", {kDont, 1}, ""},
        {"server asks for terminal type: refused", {kDo, 24}, Bytes({255, kWont, 24})},
        {"server stops binary: agreed", {kWont, kBinary}, Bytes({255, kDont, kBinary})},
        {"server starts binary again: welcomed", {kWill, kBinary}, Bytes({255, kDo, kBinary})},
        {"server repeats it", {kWill, kBinary}, ""},
    };
    Negotiator n;
    EXPECT_EQ(n.Opening(true), Bytes({255, kWill, 44, 255, kWill, 0, 255, kDo, 0, 255, kWill, 3, 255, kDo, 3}));
    for (const Case& c : cases) EXPECT_EQ(n.Answer(c.command), c.answer) << c.name;
    EXPECT_TRUE(n.Enabled(kComPortOption, true));
    EXPECT_TRUE(n.Enabled(kBinary, false));

    Negotiator raw;  // without the port option this side refuses it too
    raw.Opening(false);
    EXPECT_EQ(raw.Answer({kDo, kComPortOption}), Bytes({255, kWont, 44}));
}

TEST(ComPortControl, MessagesAndAnswers) {
    struct Case {
        std::string message;
        std::string wire;
    } cases[] = {
        {rfc2217::SetBaudRate(19200), Bytes({255, kSb, 44, 1, 0, 0, 0x4B, 0x00, 255, kSe})},
        {rfc2217::SetBaudRate(0xFF00FF), Bytes({255, kSb, 44, 1, 0, 255, 255, 0, 255, 255, 255, kSe})},
        {rfc2217::SetDataSize(7), Bytes({255, kSb, 44, 2, 7, 255, kSe})},
        {rfc2217::SetParity(Parity::Even), Bytes({255, kSb, 44, 3, 3, 255, kSe})},
        {rfc2217::SetParity(Parity::None), Bytes({255, kSb, 44, 3, 1, 255, kSe})},
        {rfc2217::SetStopSize(StopBits::Two), Bytes({255, kSb, 44, 4, 2, 255, kSe})},
        {rfc2217::PurgeData(rfc2217::PurgeTarget::Receive), Bytes({255, kSb, 44, 12, 1, 255, kSe})},
    };
    for (const Case& c : cases) EXPECT_EQ(c.message, c.wire);

    const auto baud = rfc2217::ReadAnswer({44, Bytes({101, 0, 0, 0x25, 0x80})});
    ASSERT_TRUE(baud.has_value());
    EXPECT_EQ(rfc2217::BaudRateOf(*baud), 9600u);
    EXPECT_FALSE(rfc2217::ReadAnswer({44, Bytes({1, 0, 0, 0x25, 0x80})}).has_value());  // a client's request
    EXPECT_FALSE(rfc2217::ReadAnswer({24, Bytes({101, 0})}).has_value());                // another option

    struct CtsCase {
        unsigned state;
        CtsState cts;
    } lines[] = {{0x00, CtsState::CannotTell}, {0x0F, CtsState::CannotTell}, {0x10, CtsState::Present},
                 {0x30, CtsState::Present},    {0x20, CtsState::Absent},     {0xA1, CtsState::Absent}};
    for (const CtsCase& c : lines) EXPECT_EQ(rfc2217::CtsFromModemState(static_cast<unsigned char>(c.state)), c.cts) << c.state;
}

// What a server's answers to the line settings kept otherwise, in words.
TEST(ComPortControl, KeptSettingsInWords) {
    const LineSettings asked{19200, 8, Parity::None, StopBits::One};
    const auto answered = [](std::optional<std::uint32_t> rate, std::optional<int> bits, std::optional<Parity> parity,
                             std::optional<StopBits> stop) { return rfc2217::LineAnswers{rate, bits, parity, stop}; };
    const std::pair<rfc2217::LineAnswers, std::string> cases[] = {
        {answered(19200, 8, Parity::None, StopBits::One), ""},
        {answered(9600, 8, Parity::None, StopBits::One), "kept 9600 when asked for 19200"},
        {answered(std::nullopt, 8, Parity::None, StopBits::One), "kept nothing when asked for 19200"},
        {answered(19200, 7, Parity::None, StopBits::One), "kept 7 data bits when asked for 8 data bits"},
        {answered(19200, 8, Parity::Even, StopBits::One), "kept even parity when asked for no parity"},
        {answered(19200, 8, Parity::None, StopBits::Two), "kept 2 stop bits when asked for 1 stop bit"},
    };
    for (const auto& [answers, text] : cases) EXPECT_EQ(rfc2217::KeptSettingText(asked, answers), text);
}

TEST(NetworkPortAddress, WellFormedAndNot) {
    struct Case {
        std::string name;
        bool network;
        std::optional<NetworkPortAddress> parsed;
    } cases[] = {
        {"rfc2217://localhost:7777", true, NetworkPortAddress{NetworkScheme::Rfc2217, "localhost", "7777"}},
        {"RFC2217://10.0.0.5:2001", true, NetworkPortAddress{NetworkScheme::Rfc2217, "10.0.0.5", "2001"}},
        {"socket://[::1]:65535", true, NetworkPortAddress{NetworkScheme::RawSocket, "::1", "65535"}},
        {"rfc2217://localhost", true, std::nullopt},
        {"rfc2217://:7777", true, std::nullopt},
        {"socket://host:0", true, std::nullopt},
        {"socket://host:65536", true, std::nullopt},
        {"socket://host:77x", true, std::nullopt},
        {"socket://::1:7777", true, std::nullopt},
        {"rfc2217://host:7777/path", true, std::nullopt},
        {"/dev/ttyUSB0", false, std::nullopt},
        {"COM1", false, std::nullopt},
        {"telnet://host:23", false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsNetworkPort(c.name), c.network);
        const auto parsed = ParseNetworkPort(c.name);
        ASSERT_EQ(parsed.has_value(), c.parsed.has_value());
        if (!parsed) continue;
        EXPECT_EQ(parsed->scheme, c.parsed->scheme);
        EXPECT_EQ(parsed->host, c.parsed->host);
        EXPECT_EQ(parsed->port, c.parsed->port);
    }
}

}  // namespace
}  // namespace qx
