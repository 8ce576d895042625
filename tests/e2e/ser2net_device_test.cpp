// The network serial device against Debian's ser2net serving a real
// pseudo-terminal whose far end the test plays: bytes both ways (IAC and CR
// included), and line settings that reach the server's port.

#include <gtest/gtest.h>
#include <termios.h>

#include <chrono>
#include <thread>

#include "e2e/ser2net_server.h"
#include "e2e/sim_harness.h"
#include "serial/network_serial_device.h"
#include "support/serial_pty_peer.h"

namespace qx::nettest {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const LineSettings k9600N81{9600, 8, Parity::None, StopBits::One};

// A served pseudo-terminal, the far end played by a PtyPeer.
struct ServedPort {
    explicit ServedPort(Accepter accepter = Accepter::Rfc2217) : server(peer.SlavePath(), dir.File("."), accepter) {}
    std::string ReceivedByPeer(std::size_t count) const {
        const auto until = Clock::now() + 5s;
        while (peer.Received().size() < count && Clock::now() < until) std::this_thread::sleep_for(2ms);
        return peer.Received();
    }
    simtest::TempDir dir;
    test::PtyPeer peer;
    Ser2NetServer server;
};

// Reads until `count` bytes came or 5 s passed.
std::string ReadAll(NetworkSerialDevice& device, std::size_t count) {
    std::string got;
    const auto until = Clock::now() + 5s;
    while (got.size() < count && Clock::now() < until) {
        const auto chunk = device.Read(count - got.size());
        if (!chunk) break;
        got += *chunk;
    }
    return got;
}

TEST(NetworkSerialDevice, EveryByteValuePassesBothWays) {
    for (const Accepter accepter : {Accepter::Rfc2217, Accepter::RawTcp}) {
        SCOPED_TRACE(accepter == Accepter::Rfc2217 ? "rfc2217" : "raw");
        ServedPort port(accepter);
        NetworkSerialDevice device;
        ASSERT_EQ(device.Open(port.server.Url(), k9600N81), OpenStatus::Opened);
        device.SetTimeouts({.readInterval = 50ms,
                            .readTotalPerByte = 3ms,
                            .readTotalConstant = 50ms,
                            .writeTotalPerByte = 10ms,
                            .writeTotalConstant = 10ms});
        std::string all;
        for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
        const std::string sent = "AT\r\0\r\n" + all + "\xff\xff\r";
        ASSERT_TRUE(device.Write(sent));
        EXPECT_EQ(port.ReceivedByPeer(sent.size()), sent);
        port.peer.Send(sent);
        EXPECT_EQ(ReadAll(device, sent.size()), sent);
    }
}

TEST(NetworkSerialDevice, LineSettingsReachTheServersPort) {
    ServedPort port;
    struct Case {
        LineSettings line;
        speed_t speed;
    } cases[] = {
        {{19200, 8, Parity::None, StopBits::One}, B19200},
        {{1200, 7, Parity::Odd, StopBits::Two}, B1200},
        {{115200, 8, Parity::Even, StopBits::One}, B115200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.line.rate);
        NetworkSerialDevice device;
        ASSERT_EQ(device.Open(port.server.Url(), c.line), OpenStatus::Opened);
        EXPECT_EQ(device.CurrentRate(), c.line.rate);
        // A pseudo-terminal keeps the rate, the stop bits and odd parity.
        termios t{};
        ASSERT_EQ(::tcgetattr(port.peer.HeldSlaveFd(), &t), 0);
        EXPECT_EQ(::cfgetospeed(&t), c.speed);
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.line.stopBits == StopBits::Two);
        EXPECT_EQ((t.c_cflag & PARODD) != 0, c.line.parity == Parity::Odd);
        // A server that cannot see the lines of its port: CTS cannot be told.
        EXPECT_EQ(device.Cts(), CtsState::CannotTell);
    }
}

}  // namespace
}  // namespace qx::nettest
