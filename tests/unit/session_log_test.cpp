// The window's session log: every channel's traffic, with its times, in the
// log file's format.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "operations/session_log.h"
#include "support/scratch_folder.h"
#include "support/serial_pty_peer.h"

namespace qx {
namespace {

using namespace std::chrono;

std::string FileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Channels on several threads at once, and one that is never answered:
// every exchange is in the session's log, after its channel's header.
TEST(SessionLog, KeepsEveryChannelsTrafficWithTimesAndSavesIt) {
    test::PtyPeer peer;
    peer.Script({{"AT\r", {{0, "\r\nOK\r\n"}}}});
    SessionLog log("Cfg_QX7TR 1.61");
    PortMap ports;
    ports.Override(0, peer.SlavePath());
    HostSerialSettings settings;
    SetDefaultSerialSettings(settings, true);
    {
        TCOMQX7Object channel(settings, ChannelSetup{"QX7T-R", {}, ports});
        log.Tap(channel, settings, ports);
        std::jthread([&] { channel.SendCommand("AT\r", "OK", milliseconds(100)); }).join();
        channel.SendCommand("ATI\r", "", milliseconds(10));
    }
    const std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_TRUE(lines[0].starts_with("# Cfg_QX7TR 1.61, model QX7T-R, port COM1 " + peer.SlavePath() + ", 9600 N-8-1"))
        << lines[0];
    EXPECT_TRUE(lines[1].ends_with(" > AT\\r")) << lines[1];
    EXPECT_TRUE(lines[2].ends_with(" < \\r\\nOK\\r\\n")) << lines[2];
    EXPECT_TRUE(lines[4].ends_with(" < (no reply)")) << lines[4];
    EXPECT_EQ(lines[1].size(), std::string("2024-05-01T12:00:00.000Z > AT\\r").size());

    test::ScratchFolder folder;
    log.SaveTo(folder.Path("session.log"));
    EXPECT_EQ(FileText(folder.Path("session.log")), lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n" + lines[3] +
                                                        "\n" + lines[4] + "\n");
}

}  // namespace
}  // namespace qx
