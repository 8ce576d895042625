// The transmit test and the receive test session against a fake module on a
// real pseudo-terminal; the line splitter and result-line parser on their own.

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "operations/ber_test_session.h"
#include "operations/tx_ber_test.h"
#include "support/operation_rig.h"
#include "support/serial_pty_peer.h"

namespace qx {
namespace {

using test::OperationRig;
using test::StandardReply;

class RecordingDisplay : public TestDisplay {
public:
    void SetField(int position, const std::string& text) override {
        std::lock_guard lock(mutex_);
        fields_[static_cast<std::size_t>(position)] = text;
        ++updates_;
    }
    std::array<std::string, kTestFieldCount> Fields() const {
        std::lock_guard lock(mutex_);
        return fields_;
    }
    int Updates() const {
        std::lock_guard lock(mutex_);
        return updates_;
    }

private:
    mutable std::mutex mutex_;
    std::array<std::string, kTestFieldCount> fields_;
    int updates_ = 0;
};

// A session whose channel talks to a module that answers every line.
struct SessionRig {
    explicit SessionRig(int testNumber, test::FakeModule::Responder responder = StandardReply)
        : rig(std::move(responder)),
          channel(rig.Factory()(rig.workspace.host)),
          session(*channel, testNumber, rig.ui, display, rig.prompter) {}

    OperationRig rig;
    std::unique_ptr<TCOMQX7Object> channel;
    RecordingDisplay display;
    BerTestSession session;
};

TEST(ResultLines, SplitAcrossReadsAndParsed) {
    struct Case {
        std::vector<std::string> chunks;
        std::array<std::string, 7> fields;
        int updates;
    };
    const Case cases[] = {
        {{"1 x 2 3 4 5 6 7 8 9\r\n"}, {"1", "x", "2", "3", "4", "5", "6 kbit"}, 7},
        {{"12 x 4", "5 6\r"}, {"12", "x", "45", "6", "", "", ""}, 7},  // split line shown once, whole
        {{"OK\r\nAT&T1\r\n"}, {}, 0},                                    // no " x ": ignored
        {{"a x b\r", "\nc x d e\r\n"}, {"c", "x", "d", "e", "", "", ""}, 14},
        {{"   7  x  8   \r"}, {"7", "x", "8", "", "", "", ""}, 7},
    };
    for (const Case& c : cases) {
        SessionRig s(1);
        for (const auto& chunk : c.chunks) s.session.TestDataReceived(chunk);
        EXPECT_EQ(s.display.Updates(), c.updates) << c.chunks[0];
        EXPECT_EQ(s.display.Fields(), c.fields) << c.chunks[0];
    }
}

TEST(ResultLines, RssiShowsOnlyTheLevelField) {
    SessionRig s(3);
    EXPECT_EQ(s.session.WindowCaption(), "RSSI Measurement");
    s.session.TestDataReceived("\r\nRSSI -87 dBm\r\n1 x 2\r\n");
    const auto f = s.display.Fields();
    EXPECT_EQ(f[3], "RSSI -87 dBm");
    EXPECT_EQ(s.display.Updates(), 1);
}

TEST(ReceiveTest, StartPollsAndStopRestarts) {
    SessionRig s(1);
    EXPECT_EQ(s.session.WindowCaption(), "Receive Bit Error Rate Test");
    s.session.btn_StartStopClick();
    ASSERT_EQ(s.session.ButtonCaption(), "Stop") << (s.rig.prompter.shown.empty() ? "" : s.rig.prompter.Texts()[0]);
    EXPECT_FALSE(s.session.CloseButtonEnabled());
    s.rig.module.Push("\r\n3 x 100 0 0 5 19.2\r\n");
    const auto start = std::chrono::steady_clock::now();
    while (s.display.Fields()[0] != "3" && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(s.display.Fields()[6], "19.2 kbit");
    s.session.btn_StartStopClick();
    EXPECT_EQ(s.session.ButtonCaption(), "Start");
    const auto lines = s.rig.module.Lines();
    EXPECT_EQ(lines, (std::vector<std::string>{"", "AT&K0", "", "AT&T1", "", "", "ATZ"}));
}

TEST(ReceiveTest, ClosingWithAModuleThatStoppedAnsweringShowsR4AndStillCloses) {
    // Read by the fake module's thread.
    std::atomic<bool> answering{true};
    SessionRig s(2, [&](const std::string& line) { return answering ? StandardReply(line) : std::string(); });
    s.session.btn_StartStopClick();
    ASSERT_EQ(s.session.ButtonCaption(), "Stop");
    answering = false;
    s.session.StopTestAndClose();
    EXPECT_EQ(s.session.ButtonCaption(), "Start");
    ASSERT_EQ(s.rig.prompter.shown.size(), 1u);
    EXPECT_EQ(s.rig.prompter.shown[0].text.rfind("Error communicating with module. The module did not respond", 0), 0u);
}

TEST(TransmitTest, StartAndStop) {
    OperationRig rig([](const std::string& line) {
        if (line == "AT&T0") return std::string("\r\n00\r\n");
        return StandardReply(line);
    });
    TxBerTest test;
    test.TxBertest(rig.workspace, rig.Factory());
    EXPECT_EQ(test.Caption(), "Stop Tx BER Test");
    test.TxBertest(rig.workspace, rig.Factory());
    EXPECT_EQ(test.Caption(), "Start Tx BER Test");
    EXPECT_EQ(rig.prompter.Texts(), (std::vector<std::string>{"Transmit Bit Error Rate Test started.",
                                                              "Transmit Bit Error Rate Test stopped."}));
    EXPECT_EQ(rig.module.Lines(), (std::vector<std::string>{"", "AT&K0", "", "AT&T0", "", "ATZ"}));
}

TEST(TransmitTest, AReplyWithoutDoubleZeroShowsR1AndKeepsTheCaption) {
    OperationRig rig;  // answers "OK" to "AT&T0"
    TxBerTest test;
    test.TxBertest(rig.workspace, rig.Factory());
    EXPECT_EQ(test.Caption(), "Start Tx BER Test");
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text,
              "Error communicating with QX7T-R. The module did not respond correctly.\r\n"
              "Ensure COM port settings are correct, and module is Switched On.\r\n"
              "(Hint: Set Switch 2 on module to restore factory defaults.");
}

}  // namespace
}  // namespace qx
