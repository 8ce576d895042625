// qxsim's injected faults.
#include "e2e/sim_fixture.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace qx::simtest {
namespace {

using SimFaultTest = SimTest;

TEST_F(SimFaultTest, SilentNeverAnswers) {
    Start({"--fault", "silent"});
    auto port = Open();
    EXPECT_EQ(port->Exchange("\r", "OK", 500ms), "");
    EXPECT_EQ(port->Exchange("ATI\r", "OK", 500ms), "");
}

TEST_F(SimFaultTest, RejectXonRefusesOnlyXonXoff) {
    Start({"--fault", "reject-xon"});
    auto port = Open();
    EXPECT_NE(port->Exchange("AT&K5\r", "ERROR\r\n").find("ERROR"), std::string::npos);
    EXPECT_NE(port->Exchange("AT&K3\r").find("OK"), std::string::npos);
}

TEST_F(SimFaultTest, IgnoreSRegAcknowledgesTheWriteAndKeepsTheOldValue) {
    Start({"--fault", "ignore-sreg:20", "--state", StateFile()});
    auto port = Open();
    EXPECT_NE(port->Exchange("ATS20=150S7=9\r").find("OK"), std::string::npos);
    EXPECT_NE(port->Exchange("ATS20?\r").find("\r\n100\r\n"), std::string::npos);
    EXPECT_NE(port->Exchange("ATS7?\r").find("\r\n009\r\n"), std::string::npos);  // the others still take
    EXPECT_NE(port->Exchange("ATS20=999\r", "ERROR\r\n").find("OK"), std::string::npos);  // not even judged
    EXPECT_NE(port->Exchange("AT&W\r").find("OK"), std::string::npos);
    EXPECT_NE(Listing(*port).find("S20:100 "), std::string::npos);
}

TEST_F(SimFaultTest, DropAfterStopsAnsweringAfterNReplies) {
    Start({"--fault", "drop-after:2"});
    auto port = Open();
    EXPECT_NE(port->Exchange("\r").find("OK"), std::string::npos);
    EXPECT_NE(port->Exchange("ATI\r").find("OK"), std::string::npos);
    EXPECT_EQ(port->Exchange("\r", "OK", 500ms), "");
}

TEST_F(SimFaultTest, GarbageAnswersWithHighBytesOnly) {
    Start({"--fault", "garbage"});
    auto port = Open();
    const std::string reply = port->ReadFor(0ms) + port->Exchange("\r", "never", 500ms);
    ASSERT_FALSE(reply.empty());
    EXPECT_TRUE(std::all_of(reply.begin(), reply.end(), [](char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }));
}

TEST_F(SimFaultTest, SlowDelaysEveryReply) {
    Start({"--fault", "slow:600"});
    auto port = Open();
    port->Purge();
    port->Send("\r");
    EXPECT_EQ(port->ReadFor(300ms).find("OK"), std::string::npos);
    EXPECT_NE(port->ReadUntil("OK\r\n", 3000ms).find("OK"), std::string::npos);
}

TEST_F(SimFaultTest, SlowWithACommandDelaysOnlyItsAnswer) {
    Start({"--fault", "slow:600:ATI"});
    auto port = Open();
    EXPECT_NE(port->Exchange("\r", "OK\r\n", 300ms).find("OK"), std::string::npos);
    port->Send("ATI\r");
    EXPECT_EQ(port->ReadFor(300ms).find("OK"), std::string::npos);
    EXPECT_NE(port->ReadUntil("OK\r\n", 3000ms).find("OK"), std::string::npos);
}

TEST_F(SimFaultTest, HangupAfterEndsTheLineOnceTheCommandIsAnswered) {
    Start({"--fault", "hangup-after:ATS7="});
    auto port = Open();
    EXPECT_NE(port->Exchange("ATS0?\r").find("OK"), std::string::npos);
    port->Send("ATS7=9\r");
    // The simulator is gone, its link with it.
    for (int i = 0; i < 300 && std::filesystem::exists(Link()); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(std::filesystem::exists(Link()));
    EXPECT_EQ(Stop(), 0);
}

// The host's first 255-byte read of the answer to "AT&V" (the echo, the
// line end, then the listing) ends K bytes into the "&Z3=" entry.
TEST_F(SimFaultTest, ListingCutPutsTheReadBoundaryInsideTheLastEntry) {
    for (const std::size_t cut : {4u, 8u, 14u}) {
        Start({"--fault", "listing-cut:" + std::to_string(cut)});
        auto port = Open();
        EXPECT_NE(port->Exchange("AT&Z3=127,124,1,179\r").find("OK"), std::string::npos);
        const std::string reply = Listing(*port);
        ASSERT_GT(reply.size(), 255u);
        EXPECT_EQ(reply.substr(255 - cut, cut), std::string("&Z3=127,124,1,179").substr(0, cut)) << reply;
        EXPECT_NE(reply.find(" S21:1 "), std::string::npos) << reply;  // no padding
    }
}

TEST_F(SimFaultTest, NumericStartsWithNumericResultCodes) {
    Start({"--fault", "numeric"});
    auto port = Open();
    EXPECT_EQ(port->Exchange("\r", "0\r"), "\r0\r");
    EXPECT_NE(Listing(*port).find(" V0 "), std::string::npos);
}

TEST_F(SimFaultTest, FaultsCombine) {
    Start({"--fault", "numeric", "--fault", "drop-after:1"});
    auto port = Open();
    EXPECT_EQ(port->Exchange("\r", "0\r"), "\r0\r");
    EXPECT_EQ(port->Exchange("\r", "0\r", 500ms), "");
}


class SimBadCommandLine : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(SimBadCommandLine, IsAUsageError) {
    std::string command = SimBinary();
    for (const std::string& arg : GetParam()) command += " '" + arg + "'";
    command += " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2) << command;
}

INSTANTIATE_TEST_SUITE_P(Arguments, SimBadCommandLine,
                         ::testing::Values(std::vector<std::string>{},
                                           std::vector<std::string>{"--link", "/tmp/x", "--fault", "noisy"},
                                           std::vector<std::string>{"--link", "/tmp/x", "--fault", "slow:x"},
                                           std::vector<std::string>{"--link", "/tmp/x", "--fault", "slow:5:"},
                                           std::vector<std::string>{"--link", "/tmp/x", "--fault", "drop-after:3:x"},
                                           std::vector<std::string>{"--link", "/tmp/x", "--fault", "hangup-after:"},
                                           std::vector<std::string>{"--link", "/tmp/x", "--model", "QX9"},
                                           std::vector<std::string>{"--link", "/tmp/x", "--baud", "12345"},
                                           std::vector<std::string>{"--link", "/tmp/x", "--format", "N-9-1"},
                                           std::vector<std::string>{"--link", "/tmp/x", "--firmware", "v2"},
                                           std::vector<std::string>{"--link"}));

}  // namespace
}  // namespace qx::simtest
