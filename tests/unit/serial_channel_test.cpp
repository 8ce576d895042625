// The command channel on real pseudo-terminals: opening errors, the checked
// exchange, the wake variants, and the polling thread.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <unistd.h>

#include "serial/comqx7_object.h"
#include "serial/online_object.h"
#include "serial/serial_errors.h"
#include "support/held_port.h"
#include "support/serial_fault_device.h"
#include "support/serial_pty_peer.h"

namespace qx {
namespace {

using namespace std::chrono_literals;

using test::ElapsedMs;
using test::Faults;
using test::FaultDevice;
using test::PeerStep;
using test::PtyPeer;
using Clock = std::chrono::steady_clock;

HostSerialSettings Defaults(std::uint8_t portIndex = 0) {
    HostSerialSettings s;
    SetDefaultSerialSettings(s, true);
    s.PortIndex = portIndex;
    return s;
}

ChannelSetup SetupFor(const std::string& path, std::uint8_t portIndex = 0, char escape = '+') {
    ChannelSetup setup{"QX7T-R", {}, {}, "qxcfg ports"};
    setup.escape.Set(static_cast<unsigned char>(escape));
    setup.ports.Override(portIndex, path);
    return setup;
}

// A channel on the peer's port, recording what its owner's handler gets.
struct Channel {
    explicit Channel(PtyPeer& peer, char escape = '+')
        : channel(Defaults(), SetupFor(peer.SlavePath(), 0, escape), std::make_unique<FaultDevice>(faults)) {
        channel.SetOnReply([this](const std::string& t) { replies.push_back(t); });
    }
    std::shared_ptr<Faults> faults = std::make_shared<Faults>();
    std::vector<std::string> replies;
    TCOMQX7Object channel;
};

template <typename E>
std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(TCOMQX7Object, SecondChannelOnTheSamePortIsRefusedWithTheInUseText) {
    PtyPeer peer;
    TCOMQX7Object first(Defaults(5), SetupFor(peer.SlavePath(), 5));
    EXPECT_EQ(MessageOf<EOpeningPortError>([&] { TCOMQX7Object second(Defaults(5), SetupFor(peer.SlavePath(), 5)); }),
              "COM6- This port may be already in use or not present.\nIn use by another program.");
}

TEST(TCOMQX7Object, PortClosesWithTheChannel) {
    PtyPeer peer;
    { TCOMQX7Object first(Defaults(), SetupFor(peer.SlavePath())); }
    EXPECT_NO_THROW(TCOMQX7Object again(Defaults(), SetupFor(peer.SlavePath())));
}

TEST(TCOMQX7Object, OpeningErrorsNameThePortAsGivenAndTellTheCause) {
    PtyPeer peer;
    test::HeldPort holder(peer.SlavePath(), "ModemManager");  // as the modem prober holds a new adapter
    const std::string held = "In use by another program: ModemManager (process " + std::to_string(holder.Pid()) + ").";
    const std::string missing = "/nonexistent/ttyQX";
    struct Case {
        std::string path;
        SlotNaming naming;
        std::string message;
        std::string hint;
    } cases[] = {
        {missing, SlotNaming::ComName, "COM2- This port may be already in use or not present.",
         "No such device: /nonexistent/ttyQX (see: qxcfg ports)"},
        {missing, SlotNaming::ByPath, missing + "- This port may be already in use or not present.",
         "No such device: /nonexistent/ttyQX (see: qxcfg ports)"},
        {peer.SlavePath(), SlotNaming::ComName, "COM2- This port may be already in use or not present.", held},
        {peer.SlavePath(), SlotNaming::ByPath, peer.SlavePath() + "- This port may be already in use or not present.",
         held},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ChannelSetup setup = SetupFor("", 1);
        setup.ports.Override(1, c.path, c.naming);
        try {
            TCOMQX7Object channel(Defaults(1), setup);
            ADD_FAILURE() << "opened";
        } catch (const EOpeningPortError& e) {
            EXPECT_EQ(e.Message(), c.message);
            EXPECT_EQ(e.Hint(), c.hint);
        }
    }
}

TEST(TCOMQX7Object, PermissionDeniedKeepsTheTextAndAddsAHintLine) {
    auto faults = std::make_shared<Faults>();
    faults->openOutcome = OpenStatus::PermissionDenied;
    try {
        TCOMQX7Object c(Defaults(), SetupFor("/dev/null"), std::make_unique<FaultDevice>(faults));
        FAIL();
    } catch (const EOpeningPortError& e) {
        EXPECT_EQ(e.Message(), "COM1- This port may be already in use or not present.");
        EXPECT_NE(e.Hint().find("usermod -aG"), std::string::npos) << e.Hint();
        EXPECT_NE(e.Hint().find("/dev/null"), std::string::npos) << e.Hint();
        EXPECT_EQ(std::string(e.what()), e.Message() + "\n" + e.Hint());
    }
}

TEST(TCOMQX7Object, RegularFileIsNotACommunicationsPort) {
    char name[] = "/tmp/qx_channel_regular_XXXXXX";
    const int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(MessageOf<ECommsError>([&] { TCOMQX7Object c(Defaults(3), SetupFor(name, 3)); }),
              "COM4- Handle is not a communications port handle.");
    ::close(fd);
    ::unlink(name);
}

struct ExpectCase {
    const char* name;
    std::string command;
    std::string expected;
    std::string reply;
    bool accepted;
};

inline void PrintTo(const ExpectCase& c, std::ostream* os) { *os << c.name; }

class CheckedExchange : public ::testing::TestWithParam<ExpectCase> {};

TEST_P(CheckedExchange, JudgesTheReply) {
    const ExpectCase& c = GetParam();
    PtyPeer peer;
    Channel ch(peer);
    if (!c.reply.empty()) peer.Script({PeerStep{c.command, {{0, c.reply}}}});
    if (c.accepted) {
        EXPECT_NO_THROW(ch.channel.SendExpect(c.command, c.expected, 50ms));
    } else {
        EXPECT_EQ(MessageOf<EWriteCommError>([&] { ch.channel.SendExpect(c.command, c.expected, 20ms); }),
                  "Error communicating with QX7T-R. The module did not respond correctly.");
    }
    EXPECT_EQ(ch.channel.LastReply(), c.reply);
    EXPECT_EQ(ch.replies, std::vector<std::string>{c.reply});
}

INSTANTIATE_TEST_SUITE_P(
    TCOMQX7Object, CheckedExchange,
    ::testing::Values(ExpectCase{"ExpectedText", "AT&K0\r", "OK", "\r\nOK\r\n", true},
                      ExpectCase{"AnyCrForRestart", "ATZ\r", "\r", "\r\n", true},
                      ExpectCase{"NumericOk", "AT&K0\r", "OK", "0\r", true},
                      ExpectCase{"NumericOkWithEmptyExpected", "AT\r", "", "0\r", true},
                      ExpectCase{"EmptyExpectedIsNeverFound", "AT\r", "", "OK\r\n", false},
                      ExpectCase{"ErrorReply", "AT&T9\r", "OK", "\r\nERROR\r\n", false},
                      ExpectCase{"NoReply", "AT\r", "OK", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TCOMQX7Object, FailedWriteIsNeverAcceptedOnAnEarlierReply) {
    PtyPeer peer;
    Channel ch(peer);
    peer.Script({PeerStep{"AT\r", {{0, "OK\r\n"}}}});
    ch.channel.SendExpect("AT\r", "OK", 50ms);
    ch.faults->failWrites = true;
    EXPECT_THROW(ch.channel.SendExpect("AT\r", "OK", 50ms), EWriteCommError);
    EXPECT_EQ(ch.channel.LastReply(), "");
    EXPECT_EQ(ch.replies.size(), 1u) << "the owner's handler only hears real replies";
}

struct WakeCase {
    const char* name;
    char escape;
    std::vector<PeerStep> module;
    std::string wantSent;  // everything the module received
    bool awake;
};

inline void PrintTo(const WakeCase& c, std::ostream* os) { *os << c.name; }

class WakeVariants : public ::testing::TestWithParam<WakeCase> {};

TEST_P(WakeVariants, WakesOrGivesUp) {
    const WakeCase& c = GetParam();
    PtyPeer peer;
    Channel ch(peer, c.escape);
    peer.Script(c.module);
    if (c.awake) {
        EXPECT_NO_THROW(ch.channel.Wake());
    } else {
        EXPECT_EQ(MessageOf<EWriteCommError>([&] { ch.channel.Wake(); }),
                  "Error communicating with QX7T-R. Unable to wake modem.");
    }
    EXPECT_EQ(peer.Received(), c.wantSent);
}

// "-" keeps the escape waits short (a "+++" wait is a long-reply wait).
INSTANTIATE_TEST_SUITE_P(
    TCOMQX7Object, WakeVariants,
    ::testing::Values(WakeCase{"CrAnswered", '+', {{"\r", {{0, "\r\nOK\r\n"}}}}, "\r", true},
                      WakeCase{"CrAnsweredNumerically", '+', {{"\r", {{0, "0\r"}}}}, "\r", true},
                      WakeCase{"FirstEscapeAnswered", '+', {{"+++", {{0, "\r\nOK\r\n"}}}}, "\r+++", true},
                      WakeCase{"FirstEscapeAnsweredNumerically", '-', {{"---", {{0, "0\r"}}}}, "\r---", true},
                      WakeCase{"SecondEscapeAnswered", '-', {{"---", {}}, {"---", {{0, "\r\nOK\r\n"}}}},
                               "\r------", true},
                      WakeCase{"LastCrAnswered", '-', {{"---", {}}, {"---", {}}, {"\r", {{0, "OK\r\n"}}}},
                               "\r------\r", true},
                      WakeCase{"NeverAnswers", '-', {}, "\r------\r", false}),
    [](const auto& info) { return std::string(info.param.name); });

// An operation's wake: its last lone CR always goes out and decides, and a
// cancel ends the wake at once without an error.
TEST(TCOMQX7Object, OperationWakeSendsItsLastCrAndStopsOnCancel) {
    struct Case {
        const char* name;
        std::vector<PeerStep> module;
        bool cancelled;
        std::string wantSent;
        bool awake;
    } cases[] = {
        {"escape answered, last CR not", {{"---", {}}, {"---", {{0, "OK\r\n"}}}}, false, "\r------\r", false},
        {"cancelled", {}, true, "\r", true},
    };
    for (const Case& c : cases) {
        PtyPeer peer;
        Channel ch(peer, '-');
        peer.Script(c.module);
        const WakeOptions options{.stop = [&c] { return c.cancelled; }, .lastCrAlways = true};
        if (c.awake)
            EXPECT_NO_THROW(ch.channel.Wake(options)) << c.name;
        else
            EXPECT_THROW(ch.channel.Wake(options), EWriteCommError) << c.name;
        EXPECT_EQ(peer.Received(), c.wantSent) << c.name;
    }
}

// A stop request armed on the channel ends a silent module's reply wait
// within a read, where the whole wake would take about twenty seconds and
// the "AT&V" wait eight; the wake then gives up without an error.
TEST(TCOMQX7Object, AStopRequestEndsTheWaitsOfASilentModuleWithinARead) {
    struct Case {
        const char* name;
        std::function<void(TCOMQX7Object&)> exchange;
        bool raises;
    } cases[] = {
        {"wake", [](TCOMQX7Object& c) { c.Wake(); }, false},
        {"listing", [](TCOMQX7Object& c) { c.SendExpect("AT&V\r", "&Z3=", 100ms); }, true},
    };
    for (const Case& c : cases) {
        PtyPeer peer;
        Channel ch(peer);
        const auto start = Clock::now();
        const StopRequestScope stop(ch.channel, [start] { return Clock::now() - start > 300ms; });
        if (c.raises)
            EXPECT_THROW(c.exchange(ch.channel), EWriteCommError) << c.name;
        else
            EXPECT_NO_THROW(c.exchange(ch.channel)) << c.name;
        EXPECT_LT(ElapsedMs(start), 3000) << c.name;
    }
}

TEST(TCOMQX7Object, WakeWithCtsLowRaisesTheCtsErrorFromTheEscape) {
    PtyPeer peer;
    Channel ch(peer);
    ch.faults->ctsAnswers = {CtsState::Absent, CtsState::Absent, CtsState::Absent, CtsState::Absent};
    EXPECT_EQ(MessageOf<ECommsError>([&] { ch.channel.Wake(); }), "CTS on modem was not detected.");
    EXPECT_EQ(peer.Received(), "");
}

TEST(TCOMQX7Object, ClearModemLineTakesOneShortReadThenDiscardsEverything) {
    PtyPeer peer;
    Channel ch(peer);
    peer.Script({PeerStep{"\r", {{0, "\r\nOK\r\n"}, {250, "later"}}}});
    const auto start = Clock::now();
    ch.channel.ClearModemLine();
    EXPECT_GE(ElapsedMs(start), 100);
    EXPECT_EQ(ch.faults->reads.size(), 1u);
    EXPECT_EQ(ch.channel.LastReply(), "\r\nOK\r\n");
}

TEST(TCOMQX7Object, TwoChannelsOnTwoPortsKeepTheirOwnLastReply) {
    PtyPeer a, b;
    Channel ca(a), cb(b);
    a.Script({PeerStep{"ATI\r", {{0, "QX7T-R V1.90\r\n"}}}});
    b.Script({PeerStep{"ATI\r", {{0, "QX7T-R V2.10\r\n"}}}});
    std::jthread other([&] { cb.channel.SendExpect("ATI\r", "V", 100ms); });
    ca.channel.SendExpect("ATI\r", "V", 100ms);
    other.join();
    EXPECT_EQ(ca.channel.LastReply(), "QX7T-R V1.90\r\n");
    EXPECT_EQ(cb.channel.LastReply(), "QX7T-R V2.10\r\n");
}

// A dispatcher standing in for the user-interface thread: runs the work on
// the caller and records which thread asked.
class RecordingDispatcher : public UiDispatcher {
public:
    void Invoke(const std::function<void()>& work) override {
        std::lock_guard lock(mutex);
        callers.push_back(std::this_thread::get_id());
        work();
    }
    std::mutex mutex;
    std::vector<std::thread::id> callers;
};

TEST(TOnLineObject, PollsUntilTerminatedAndShowsTextsThroughTheDispatcher) {
    PtyPeer peer;
    Channel ch(peer);
    ch.channel.SendCommand("\r", "", 50ms);  // the diagnostics' 50 ms time-outs
    RecordingDispatcher dispatcher;
    std::string shown;
    TOnLineObject* self = nullptr;
    std::mutex selfMutex;
    ch.channel.SetOnReply([&](const std::string& text) {
        std::lock_guard lock(selfMutex);
        self->ShowText([&](const std::string& t) { shown += t; }, text);
    });
    {
        std::unique_lock lock(selfMutex);
        TOnLineObject poller(ch.channel, dispatcher);
        self = &poller;
        lock.unlock();
        peer.Send("0012 x 0100\r\n");
        for (int i = 0; i < 400; ++i) {
            {
                std::lock_guard l(dispatcher.mutex);
                if (!shown.empty()) break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        const auto start = Clock::now();
        poller.Terminate();
        poller.WaitFor();
        // One read without data takes 3 x 255 + 50 ms.
        EXPECT_LT(ElapsedMs(start), 3000);
        EXPECT_TRUE(poller.Finished());
        EXPECT_FALSE(poller.FatalException());
        ASSERT_FALSE(dispatcher.callers.empty());
        EXPECT_NE(dispatcher.callers[0], std::this_thread::get_id());
    }
    EXPECT_EQ(shown, "0012 x 0100\r\n");
}

TEST(TOnLineObject, AnErrorOnThePollingThreadEndsItAndIsKept) {
    PtyPeer peer;
    Channel ch(peer);
    ch.channel.SendCommand("\r", "", 50ms);
    ch.channel.SetOnReply([](const std::string&) { throw std::runtime_error("display gone"); });
    DirectDispatcher dispatcher;
    TOnLineObject poller(ch.channel, dispatcher);
    peer.Send("line\r\n");
    for (int i = 0; i < 600 && !poller.Finished(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    poller.WaitFor();
    ASSERT_TRUE(poller.FatalException());
    EXPECT_THROW(std::rethrow_exception(poller.FatalException()), std::runtime_error);
}

}  // namespace
}  // namespace qx
