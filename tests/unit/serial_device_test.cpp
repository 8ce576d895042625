// The termios port device on real pseudo-terminals: exclusive opening, the
// line settings it changes and the ones it keeps, and the read time-outs.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "serial/posix_serial_device.h"
#include "support/held_port.h"
#include "support/serial_pty_peer.h"

namespace qx {
namespace {

using namespace std::chrono_literals;

using test::ElapsedMs;
using test::PtyPeer;
using Clock = std::chrono::steady_clock;

const LineSettings k9600N81{9600, 8, Parity::None, StopBits::One};

TEST(PosixSerialDevice, SecondOpenOfTheSameDeviceInThisProcessIsRefused) {
    PtyPeer peer;
    PosixSerialDevice first, second;
    ASSERT_EQ(first.Open(peer.SlavePath(), k9600N81), OpenStatus::Opened);
    EXPECT_EQ(second.Open(peer.SlavePath(), k9600N81), OpenStatus::InUse);
    first.Close();
    EXPECT_EQ(second.Open(peer.SlavePath(), k9600N81), OpenStatus::Opened);
}

TEST(PosixSerialDevice, DeviceLockedByAnotherProcessIsRefused) {
    PtyPeer peer;
    test::HeldPort holder(peer.SlavePath(), "holder");
    PosixSerialDevice device;
    EXPECT_EQ(device.Open(peer.SlavePath(), k9600N81), OpenStatus::InUse);
    holder.Release();
    EXPECT_EQ(device.Open(peer.SlavePath(), k9600N81), OpenStatus::Opened);
}

TEST(PosixSerialDevice, MissingPathAndRegularFile) {
    PosixSerialDevice device;
    EXPECT_EQ(device.Open("/nonexistent/ttyQX0", k9600N81), OpenStatus::NoSuchDevice);
    char name[] = "/tmp/qx_serial_regular_XXXXXX";
    const int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(device.Open(name, k9600N81), OpenStatus::NotCharacterDevice);
    EXPECT_FALSE(device.IsOpen());
    ::close(fd);
    ::unlink(name);
}

// A pseudo-terminal keeps the rate, the stop bits and the odd-parity flag
// (not the data bits or parity-enable), so those are what can be checked.
TEST(PosixSerialDevice, SetsRateStopBitsParityAndKeepsOtherSettings) {
    PtyPeer peer;
    termios before{};
    ASSERT_EQ(::tcgetattr(peer.HeldSlaveFd(), &before), 0);
    before.c_iflag |= IXOFF;
    before.c_lflag |= ECHO | ICANON;
    ASSERT_EQ(::tcsetattr(peer.HeldSlaveFd(), TCSANOW, &before), 0);

    PosixSerialDevice device;
    ASSERT_EQ(device.Open(peer.SlavePath(), {2400, 7, Parity::Odd, StopBits::Two}), OpenStatus::Opened);
    termios after{};
    ASSERT_EQ(::tcgetattr(peer.HeldSlaveFd(), &after), 0);
    EXPECT_EQ(::cfgetospeed(&after), B2400);
    EXPECT_TRUE(after.c_cflag & CSTOPB);
    EXPECT_TRUE(after.c_cflag & PARODD);
    EXPECT_TRUE(after.c_iflag & IXOFF) << "input flow control is the system's";
    EXPECT_FALSE(after.c_lflag & (ECHO | ICANON)) << "raw mode";
    EXPECT_EQ(device.CurrentRate(), 2400);
}

TEST(PosixSerialDevice, RatesWithoutAConstantAreSetByNumber) {
    for (int rate : {14400, 28800, 31250, 76800, 1200, 115200}) {
        PtyPeer peer;
        PosixSerialDevice device;
        ASSERT_EQ(device.Open(peer.SlavePath(), {rate, 8, Parity::None, StopBits::One}), OpenStatus::Opened);
        EXPECT_EQ(device.CurrentRate(), rate);
    }
}

TEST(PosixSerialDevice, PseudoTerminalCannotTellCts) {
    PtyPeer peer;
    PosixSerialDevice device;
    ASSERT_EQ(device.Open(peer.SlavePath(), k9600N81), OpenStatus::Opened);
    EXPECT_EQ(device.Cts(), CtsState::CannotTell);
    EXPECT_TRUE(CtsAllowsWrite(device.Cts()));
}

struct IntervalCase {
    const char* name;
    int intervalMs;
    int gapMs;
    std::string want;
};

inline void PrintTo(const IntervalCase& c, std::ostream* os) { *os << c.name; }

class ReadInterval : public ::testing::TestWithParam<IntervalCase> {};

// The interval clock starts at the first byte: a gap shorter than the
// interval keeps the read going, a longer one ends it.
TEST_P(ReadInterval, GapAgainstInterval) {
    const IntervalCase& c = GetParam();
    PtyPeer peer;
    PosixSerialDevice device;
    ASSERT_EQ(device.Open(peer.SlavePath(), k9600N81), OpenStatus::Opened);
    device.SetTimeouts({.readInterval = std::chrono::milliseconds(c.intervalMs),
                        .readTotalPerByte = 3ms,
                        .readTotalConstant = 2000ms,
                        .writeTotalPerByte = 10ms,
                        .writeTotalConstant = 10ms});
    peer.Script({{"", {{50, "ab"}, {c.gapMs, "cd"}}}});
    EXPECT_EQ(device.Read(100), c.want);
}

INSTANTIATE_TEST_SUITE_P(PosixSerialDevice, ReadInterval,
                         ::testing::Values(IntervalCase{"GapWithinInterval", 400, 100, "abcd"},
                                           IntervalCase{"GapBeyondInterval", 60, 600, "ab"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PosixSerialDevice, ReadWithoutDataWaitsTheTotalTimeOutAndSucceedsEmpty) {
    PtyPeer peer;
    PosixSerialDevice device;
    ASSERT_EQ(device.Open(peer.SlavePath(), k9600N81), OpenStatus::Opened);
    device.SetTimeouts({.readInterval = 50ms,
                        .readTotalPerByte = 3ms,
                        .readTotalConstant = 40ms,
                        .writeTotalPerByte = 10ms,
                        .writeTotalConstant = 10ms});
    const auto start = Clock::now();
    const auto data = device.Read(20);
    const auto elapsed = ElapsedMs(start);
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(*data, "");
    EXPECT_GE(elapsed, 3 * 20 + 40);
    EXPECT_LT(elapsed, 2000);
}

TEST(PosixSerialDevice, ReadEndsWhenTheSizeIsReached) {
    PtyPeer peer;
    PosixSerialDevice device;
    ASSERT_EQ(device.Open(peer.SlavePath(), k9600N81), OpenStatus::Opened);
    device.SetTimeouts({.readInterval = 5000ms,
                        .readTotalPerByte = 3ms,
                        .readTotalConstant = 5000ms,
                        .writeTotalPerByte = 10ms,
                        .writeTotalConstant = 10ms});
    peer.Send("0123456789");
    const auto start = Clock::now();
    EXPECT_EQ(device.Read(4), "0123");
    EXPECT_LT(ElapsedMs(start), 3000);
    EXPECT_EQ(device.Read(6), "456789");
}

TEST(PosixSerialDevice, WriteReachesThePeerAndSurvivesTheOutputPurge) {
    PtyPeer peer;
    PosixSerialDevice device;
    ASSERT_EQ(device.Open(peer.SlavePath(), k9600N81), OpenStatus::Opened);
    device.SetTimeouts({.readInterval = 50ms,
                        .readTotalPerByte = 1ms,
                        .readTotalConstant = 0ms,
                        .writeTotalPerByte = 10ms,
                        .writeTotalConstant = 10ms});
    const std::string text = "AT&V\r" + std::string(200, 'x');
    EXPECT_TRUE(device.Write(text));
    device.Purge(kPurgeOutput);
    for (int i = 0; i < 200 && peer.Received().size() < text.size(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(peer.Received(), text);
}

TEST(PosixSerialDevice, ReadFailsWhenThePortHangsUp) {
    auto peer = std::make_unique<PtyPeer>();
    PosixSerialDevice device;
    ASSERT_EQ(device.Open(peer->SlavePath(), k9600N81), OpenStatus::Opened);
    peer.reset();  // the far end goes away
    device.SetTimeouts({.readInterval = 50ms,
                        .readTotalPerByte = 3ms,
                        .readTotalConstant = 50ms,
                        .writeTotalPerByte = 10ms,
                        .writeTotalConstant = 10ms});
    EXPECT_FALSE(device.Read(10).has_value());
}

}  // namespace
}  // namespace qx
