// The reply waits a channel reports (one begin and one end per exchange,
// whatever ends it) and qxcfg's announcer of the long ones: said once, when
// a wait has lasted its time, never for a wait that ended or cannot last.

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "cli/wait_announcer.h"
#include "serial/comqx7_object.h"
#include "serial/reply_wait_bound.h"
#include "serial/serial_errors.h"
#include "support/serial_fault_device.h"
#include "support/serial_pty_peer.h"

namespace qx {
namespace {

using namespace std::chrono_literals;

struct Recorder : ReplyWaitWatcher {
    void WaitBegins(const std::string& command, std::chrono::milliseconds bound) override {
        seen.push_back("begin " + command + " " + std::to_string(bound.count()));
    }
    void WaitEnded() override { seen.push_back("end"); }
    std::vector<std::string> seen;
};

TEST(ReplyWaits, EveryExchangeBeginsAndEndsOnceWithItsBound) {
    test::PtyPeer peer;
    peer.Script({test::PeerStep{"AT\r", {{0, "\r\nOK\r\n"}}}});
    auto faults = std::make_shared<test::Faults>();
    ChannelSetup setup{"QX7T-R", {}, {}};
    setup.ports.Override(0, peer.SlavePath());
    HostSerialSettings settings;
    SetDefaultSerialSettings(settings, true);
    TCOMQX7Object channel(settings, setup, std::make_unique<test::FaultDevice>(faults));
    Recorder recorder;
    channel.SetWaitWatcher(&recorder);
    channel.SendExpect("AT\r", "OK", 100ms);
    // No CTS: the exchange throws before it waits, and still ends.
    faults->ctsAnswers = {CtsState::Absent, CtsState::Absent};
    EXPECT_THROW(channel.SendCommand("ATI\r", "V", 100ms), ECommsError);
    const auto bound = [](const char* command, const char* expected) {
        return std::to_string(ReplyWaitBound(command, expected, 100ms).count());
    };
    EXPECT_EQ(recorder.seen, (std::vector<std::string>{"begin AT\r " + bound("AT\r", "OK"), "end",
                                                       "begin ATI\r " + bound("ATI\r", "V"), "end"}));
}

// What an announcer said, waited for without a clock to race.
struct Heard {
    std::mutex mutex;
    std::condition_variable said;
    std::vector<std::string> lines;

    cli::WaitAnnouncer::Say Ear() {
        return [this](const std::string& line) {
            std::lock_guard lock(mutex);
            lines.push_back(line);
            said.notify_all();
        };
    }
    bool AwaitLines(std::size_t count) {
        std::unique_lock lock(mutex);
        return said.wait_for(lock, 20s, [&] { return lines.size() >= count; });
    }
};

struct AnnouncerCase {
    const char* name;
    std::chrono::milliseconds after;
    std::vector<std::pair<std::string, std::chrono::milliseconds>> waits;  // command, bound
    bool heldUntilSaid;                                                    // else ended at once
    std::vector<std::string> lines;
};

TEST(WaitAnnouncer, SaysEachWaitThatLastsOnceAndNoOther) {
    const AnnouncerCase cases[] = {
        {"long waits, one line each",
         50ms,
         {{"AT&V\r", 8650ms}, {"###", 2320ms}, {"ATS7=9\r", 3320ms}},
         true,
         {"reading the module's settings (reply to AT&V): up to 9 s", "waking the module (reply to ###): up to 3 s",
          "waiting for the reply to ATS7=9: up to 4 s"}},
        {"a wait that ended in time", 10s, {{"AT&V\r", 8650ms}}, false, {}},
        {"a wait that cannot last", 50ms, {{"\r", 40ms}}, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Heard heard;
        {
            cli::WaitAnnouncer announcer(c.after);
            announcer.SayWith(heard.Ear());
            for (std::size_t i = 0; i < c.waits.size(); ++i) {
                announcer.WaitBegins(c.waits[i].first, c.waits[i].second);
                if (c.heldUntilSaid) {
                    ASSERT_TRUE(heard.AwaitLines(i + 1));
                } else {
                    // Past the time it would take a wrong announcer to speak.
                    std::this_thread::sleep_for(std::min<std::chrono::milliseconds>(c.after * 4, 500ms));
                }
                // Held on: said once, not again.
                std::this_thread::sleep_for(std::min<std::chrono::milliseconds>(c.after * 3, 300ms));
                announcer.WaitEnded();
            }
        }
        EXPECT_EQ(heard.lines, c.lines);
    }
}

}  // namespace
}  // namespace qx
