// qxcfg identify and console as separate processes, talking to a scripted
// module on a real pseudo-terminal.

#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include "support/run_process.h"
#include "support/serial_pty_peer.h"

namespace qx {
namespace {

using test::PeerStep;
using test::PtyPeer;
using test::RunProgram;

const std::string kIdentification = "\r\nQX7T-R Radio Modem V1.93 Build 7\r\nOK\r\n";

TEST(QxcfgIdentify, PrintsIdentificationAndVersion) {
    PtyPeer peer;
    peer.Script({PeerStep{"\r", {{0, "\r\nOK\r\n"}}}, PeerStep{"ATI\r", {{0, kIdentification}}}});
    const auto r = RunProgram("qxcfg", {"identify", "--port", peer.SlavePath()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "identification=QX7T-R Radio Modem V1.93 Build 7\nversion=1.93\n");
    EXPECT_EQ(peer.Received(), "\rATI\r");
}

TEST(QxcfgIdentify, WakesAModuleInDataModeWithTheEscape) {
    PtyPeer peer;
    peer.Script({PeerStep{"+++", {{0, "\r\nOK\r\n"}}}, PeerStep{"ATI\r", {{0, kIdentification}}}});
    const auto r = RunProgram("qxcfg", {"identify", "--com", "3=" + peer.SlavePath(), "--port", "COM3"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "identification=QX7T-R Radio Modem V1.93 Build 7\nversion=1.93\n");
    EXPECT_EQ(peer.Received(), "\r+++ATI\r");
}

TEST(QxcfgIdentify, UsesTheRateAndFormatGiven) {
    PtyPeer peer;
    peer.Script({PeerStep{"\r", {{0, "0\r"}}}, PeerStep{"ATI\r", {{0, kIdentification}}}});
    const auto r = RunProgram("qxcfg", {"identify", "--port", peer.SlavePath(), "--baud", "1200", "--format", "O-7-2"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    termios t{};
    ASSERT_EQ(::tcgetattr(peer.HeldSlaveFd(), &t), 0);
    EXPECT_EQ(::cfgetospeed(&t), B1200);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & PARODD);
}

// Every failure ends standard error in one form, whichever command met it:
// "ERROR: " and the report, then the cause on one indented line. A log
// file that cannot be written is a file's failure (2), not the module's.
TEST(QxcfgIdentify, OpeningErrorsPrintTheirExactText) {
    char name[] = "/tmp/qx_identify_regular_XXXXXX";
    const int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    PtyPeer peer;
    const std::string absent =
        "ERROR: /nonexistent/ttyQX- This port may be already in use or not present.\n"
        "  No such device: /nonexistent/ttyQX (see: qxcfg ports)\n";
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string err;  // how standard error ends
    } cases[] = {
        {{"identify", "--com", "1=/nonexistent/ttyQX"}, 1,
         "ERROR: COM1- This port may be already in use or not present.\n"
         "  No such device: /nonexistent/ttyQX (see: qxcfg ports)\n"},
        {{"identify", "--port", "/nonexistent/ttyQX"}, 1, absent},
        {{"console", "--port", "/nonexistent/ttyQX", "ATI"}, 1, absent},
        {{"find", "--port", "/nonexistent/ttyQX"}, 1, absent},
        {{"read", "--port", "/nonexistent/ttyQX"}, 1, absent},
        {{"identify", "--port", "COM4", "--com", std::string("4=") + name}, 1,
         "ERROR: COM4- Handle is not a communications port handle.\n"},
        {{"identify", "--port", peer.SlavePath(), "--log", "/dev/full"}, 2,
         "ERROR: Cannot write /dev/full: No space left on device\n"},
        {{"identify", "--port", peer.SlavePath(), "--log", "/nonexistent/x.log"}, 2,
         "ERROR: Cannot write /nonexistent/x.log: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        const auto r = RunProgram("qxcfg", c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0];
        EXPECT_TRUE(r.err.ends_with(c.err)) << c.args[0] << ":\n" << r.err;
        EXPECT_EQ(r.out, "") << c.args[0];
    }
    ::close(fd);
    ::unlink(name);
}

// The module wakes but answers "ATI" with an error: the wait runs its full
// course (about 9 s), announced after 2 s as standard error is no terminal,
// and the exchange's own text is printed.
TEST(QxcfgIdentify, WrongAnswerPrintsTheExactReport) {
    PtyPeer peer;
    peer.Script({PeerStep{"\r", {{0, "\r\nOK\r\n"}}}, PeerStep{"ATI\r", {{0, "\r\nERROR\r\n"}}}});
    const auto r = RunProgram("qxcfg", {"--model", "QX5T", "identify", "--port", peer.SlavePath()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "identifying the module (reply to ATI): up to 9 s\n"
              "ERROR: Error communicating with QX5T. The module did not respond correctly.\n");
}

TEST(QxcfgIdentify, BadOptionsAreUsageErrors) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"identify", "--format", "X-9-1"}, {"identify", "--baud", "9601"},
          {"identify", "--com", "9=/dev/null"}, {"identify", "extra"}}) {
        EXPECT_EQ(RunProgram("qxcfg", args).exitCode, 2) << args[1];
    }
}

TEST(QxcfgConsole, SendsEachCommandAndShowsEachReply) {
    PtyPeer peer;
    peer.Script({PeerStep{"ATS0?\r", {{0, "\r\n005\r\n\r\nOK\r\n"}}}, PeerStep{"ATX\r", {{0, "\r\nOK\r\n\x01"}}}});
    const auto r = RunProgram("qxcfg", {"console", "--port", peer.SlavePath(), "ATS0?", "ATX", "AT&Q"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "> ATS0?\n< \\r\\n005\\r\\n\\r\\nOK\\r\\n\n"
              "> ATX\n< \\r\\nOK\\r\\n\\x01\n"
              "> AT&Q\n< (no reply)\n");
    EXPECT_EQ(peer.Received(), "ATS0?\rATX\rAT&Q\r");
}

}  // namespace
}  // namespace qx
