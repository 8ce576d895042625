// TVVComm's reply waits on real pseudo-terminals: when a wait ends, what it
// delivers, the read sizes and counts, the purges, and the faults that only
// a fault-injecting device can produce (CTS low, failing write or read).

#include <gtest/gtest.h>

#include <chrono>

#include "serial/host_serial_settings.h"
#include "serial/reply_wait_bound.h"
#include "serial/serial_errors.h"
#include "serial/vv_comm.h"
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

// A TVVComm open on the peer's pseudo-terminal, recording every delivery.
struct Link {
    explicit Link(PtyPeer& peer, std::uint8_t baudIndex = 3)
        : comm(std::make_unique<FaultDevice>(faults), [&peer](std::uint8_t) { return peer.SlavePath(); }) {
        comm.BaudIndex = baudIndex;
        comm.DataBitsIndex = 4;
        comm.SetOnReceive([this](const std::string& text) { delivered.push_back(text); });
        comm.OpenPort();
    }
    std::shared_ptr<Faults> faults = std::make_shared<Faults>();
    std::vector<std::string> delivered;
    TVVComm comm;
};

struct StopCase {
    const char* name;
    std::string command;
    std::string expected;
    int timeoutMs;
    std::string reply;      // sent as soon as the command has arrived
    std::string delivered;  // the one text the handler gets
    long long minMs;        // guaranteed by the rules (0: none)
    long long maxMs;        // generous: well below the full wait
    ExchangeEnd end;
};

inline void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class ReplyStop : public ::testing::TestWithParam<StopCase> {};

// Full waits: short replies 20 reads of 3 x (len + 20) + timeout ms,
// long replies 10 reads of 765 + timeout ms.
TEST_P(ReplyStop, EndsWhereTheRulesSay) {
    const StopCase& c = GetParam();
    PtyPeer peer;
    Link link(peer);
    if (!c.reply.empty()) peer.Script({PeerStep{c.command, {{0, c.reply}}}});
    const auto start = Clock::now();
    EXPECT_EQ(link.comm.SendAndWait(c.command, c.expected, std::chrono::milliseconds(c.timeoutMs)), c.end);
    const auto elapsed = ElapsedMs(start);
    ASSERT_EQ(link.delivered.size(), 1u);
    EXPECT_EQ(link.delivered[0], c.delivered);
    EXPECT_GE(elapsed, c.minMs);
    EXPECT_LT(elapsed, c.maxMs);
    // The bound a front end announces is never passed (beyond scheduling).
    EXPECT_LE(elapsed, ReplyWaitBound(c.command, c.expected, std::chrono::milliseconds(c.timeoutMs)).count() + 1500);
}

INSTANTIATE_TEST_SUITE_P(
    TVVComm, ReplyStop,
    ::testing::Values(
        // Full wait here would be 20 x (66 + 200) = 5.3 s.
        StopCase{"NumericOkAlone", "AT\r", "OK", 200, "0\r", "0\r", 0, 2500, ExchangeEnd::Answered},
        StopCase{"NumericOkAfterEcho", "AT\r", "OK", 200, "AT\r\r0\r", "AT\r\r0\r", 0, 2500, ExchangeEnd::Answered},
        StopCase{"ExpectedText", "AT\r", "OK", 200, "\r\nOK\r\n", "\r\nOK\r\n", 0, 2500, ExchangeEnd::Answered},
        StopCase{"ZeroWithoutLeadingCrIsNotNumericOk", "AT\r", "OK", 20, "10\r", "10\r", 19 * (66 + 20), 8000,
                 ExchangeEnd::Unanswered},
        // An error reply does not end the wait: all 20 reads are made.
        StopCase{"ErrorWaitsForAllReads", "AT\r", "OK", 20, "\r\nERROR\r\n", "\r\nERROR\r\n", 19 * (66 + 20),
                 8000, ExchangeEnd::Unanswered},
        StopCase{"NoReplyDeliversEmptyText", "AT\r", "OK", 10, "", "", 20 * (66 + 10), 8000, ExchangeEnd::Unanswered},
        // Long reply ("ATI"): stops as soon as the expected text is there.
        StopCase{"LongReplyStopsAtExpected", "ATI\r", "V", 100, "\r\nQX7T-R V1.90\r\nOK\r\n",
                 "\r\nQX7T-R V1.90\r\nOK\r\n", 0, 5000, ExchangeEnd::Answered}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TVVComm, EmptyExpectedMakesExactlyOneRead) {
    PtyPeer peer;
    Link link(peer);
    // The second part comes long after the first read has ended.
    peer.Script({PeerStep{"\r", {{0, "AB"}, {600, "CD"}}}});
    link.comm.SendAndWait("\r", "", 50ms);
    EXPECT_EQ(link.faults->reads.size(), 1u);
    ASSERT_EQ(link.delivered.size(), 1u);
    EXPECT_EQ(link.delivered[0], "AB");
}

TEST(TVVComm, EmptyExpectedWithoutReplyDeliversEmptyTextOnce) {
    PtyPeer peer;
    Link link(peer);
    link.comm.SendAndWait("\r", "", 5ms);
    EXPECT_EQ(link.faults->reads.size(), 1u);
    EXPECT_EQ(link.delivered, std::vector<std::string>{""});
}

struct PlanCase {
    const char* name;
    std::string command;
    std::string expected;
    std::size_t readSize;
    std::size_t readCount;
};

inline void PrintTo(const PlanCase& c, std::ostream* os) { *os << c.name; }

class ReadPlan : public ::testing::TestWithParam<PlanCase> {};

// The peer floods the port, so every read fills up at once and the read
// count is used up quickly.
TEST_P(ReadPlan, SizeAndCountFollowTheCommand) {
    const PlanCase& c = GetParam();
    PtyPeer peer;
    Link link(peer);
    peer.Script({PeerStep{c.command, {{0, std::string(c.readSize * c.readCount + 100, 'x')}}}});
    link.comm.SendAndWait(c.command, c.expected, 50ms);
    ASSERT_EQ(link.faults->reads.size(), c.readCount);
    for (const auto& r : link.faults->reads) EXPECT_EQ(r.maxBytes, c.readSize);
    ASSERT_EQ(link.delivered.size(), 1u);
    EXPECT_EQ(link.delivered[0], std::string(c.readSize * c.readCount, 'x'));
}

INSTANTIATE_TEST_SUITE_P(
    TVVComm, ReadPlan,
    ::testing::Values(PlanCase{"Listing", "AT&V\r", "OK", 255, 10}, PlanCase{"Identification", "ATI\r", "OK", 255, 10},
                      PlanCase{"PlusEscape", "+++", "OK", 255, 10}, PlanCase{"MinusEscape", "---", "OK", 22, 20},
                      PlanCase{"ShortCommand", "ATS0?\r", "OK", 22, 20},
                      PlanCase{"LowerCaseIsNotLong", "at&v\r", "OK", 22, 20},
                      // Never larger than the 255-byte read buffer.
                      PlanCase{"LongExpectedIsCappedAtTheBuffer", "AT\r", std::string(300, 'y'), 255, 20}),
    [](const auto& info) { return std::string(info.param.name); });

struct ListingCase {
    const char* name;
    std::uint8_t baudIndex;
    std::string command;
    int wantIntervalMs;
};

inline void PrintTo(const ListingCase& c, std::ostream* os) { *os << c.name; }

class ListingInterval : public ::testing::TestWithParam<ListingCase> {};

TEST_P(ListingInterval, OnlyTheListingAt1200GetsTheLongInterval) {
    const ListingCase& c = GetParam();
    PtyPeer peer;
    Link link(peer, c.baudIndex);
    peer.Script({PeerStep{c.command, {{0, "\r\nOK\r\n"}}}});
    link.comm.SendAndWait(c.command, "OK", 100ms);
    ASSERT_FALSE(link.faults->reads.empty());
    const CommTimeouts want{.readInterval = std::chrono::milliseconds(c.wantIntervalMs),
                            .readTotalPerByte = 3ms,
                            .readTotalConstant = 100ms,
                            .writeTotalPerByte = 10ms,
                            .writeTotalConstant = 10ms};
    EXPECT_EQ(link.faults->reads[0].timeouts, want);
}

INSTANTIATE_TEST_SUITE_P(TVVComm, ListingInterval,
                         ::testing::Values(ListingCase{"ListingAt1200", 0, "AT&V\r", 350},
                                           ListingCase{"ListingAt9600", 3, "AT&V\r", 100},
                                           ListingCase{"IdentificationAt1200", 0, "ATI\r", 100}),
                         [](const auto& info) { return std::string(info.param.name); });

// At 1200 bit/s a pause of 200 ms inside the listing does not end a read.
TEST(TVVComm, ListingAt1200ToleratesPausesShorterThan350Ms) {
    PtyPeer peer;
    Link link(peer, 0);
    peer.Script({PeerStep{"AT&V\r", {{0, "S0=1\r\n"}, {200, "S1=2\r\n"}, {0, "OK\r\n"}}}});
    link.comm.SendAndWait("AT&V\r", "OK", 100ms);
    EXPECT_EQ(link.faults->reads.size(), 1u);
    EXPECT_EQ(link.delivered, std::vector<std::string>{"S0=1\r\nS1=2\r\nOK\r\n"});
}

TEST(TVVComm, InputBeforeTheCommandIsNotPartOfTheReply) {
    PtyPeer peer;
    Link link(peer);
    peer.Send("STALE\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    peer.Script({PeerStep{"AT\r", {{0, "OK\r\n"}}}});
    link.comm.SendAndWait("AT\r", "OK", 50ms);
    EXPECT_EQ(link.delivered, std::vector<std::string>{"OK\r\n"});
}

TEST(TVVComm, DataLeftAfterTheWaitIsPurged) {
    PtyPeer peer;
    Link link(peer);
    // One burst: the read of 22 bytes ends the wait on "OK"; the rest sits
    // in the input buffer and must go with the closing purge.
    peer.Script({PeerStep{"AT\r", {{0, "\r\nOK\r\n" + std::string(40, 'L')}}}});
    link.comm.SendAndWait("AT\r", "OK", 50ms);
    ASSERT_EQ(link.delivered.size(), 1u);
    EXPECT_EQ(link.delivered[0], "\r\nOK\r\n" + std::string(16, 'L'));
    link.comm.PollRead();
    EXPECT_EQ(link.delivered.size(), 1u) << "late data reached the handler";
}

TEST(TVVComm, PollReadDeliversOnlyWhenSomethingCame) {
    PtyPeer peer;
    Link link(peer);
    link.comm.SendAndWait("\r", "", 5ms);  // leaves interval 5 ms, total 3 ms/byte + 5 ms
    link.delivered.clear();
    link.comm.PollRead();
    EXPECT_TRUE(link.delivered.empty());
    peer.Send("12 x 34\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    link.comm.PollRead();
    EXPECT_EQ(link.delivered, std::vector<std::string>{"12 x 34\r\n"});
}

TEST(TVVComm, OpeningTwiceRaisesAlreadyOpen) {
    PtyPeer peer;
    Link link(peer);
    link.comm.PortIndex = 2;
    try {
        link.comm.OpenPort();
        FAIL() << "no error";
    } catch (const EPortAlreadyOpen& e) {
        EXPECT_STREQ(e.what(), "COM3- The port is already open.");
    }
}

TEST(TVVComm, CtsLowRaisesAfterOneRetryAndWritesNothing) {
    PtyPeer peer;
    Link link(peer);
    link.faults->ctsAnswers = {CtsState::Absent, CtsState::Absent};
    peer.Send("unread input");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    link.faults->calls.clear();
    const auto start = Clock::now();
    try {
        link.comm.SendAndWait("AT\r", "OK", 50ms);
        FAIL() << "no error";
    } catch (const ECommsError& e) {
        EXPECT_STREQ(e.what(), "CTS on modem was not detected.");
    }
    EXPECT_GE(ElapsedMs(start), 50);
    EXPECT_EQ(link.faults->calls, (std::vector<std::string>{"cts", "purge-out", "purge-in", "cts"}));
    EXPECT_TRUE(link.delivered.empty());
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(peer.Received(), "");
}

TEST(TVVComm, CtsBackWithin50MsLetsTheCommandThrough) {
    PtyPeer peer;
    Link link(peer);
    link.faults->ctsAnswers = {CtsState::Absent, CtsState::Present};
    peer.Script({PeerStep{"AT\r", {{0, "OK\r\n"}}}});
    link.comm.SendAndWait("AT\r", "OK", 50ms);
    EXPECT_EQ(link.delivered, std::vector<std::string>{"OK\r\n"});
}

TEST(TVVComm, FailedWriteCollectsNoReply) {
    PtyPeer peer;
    Link link(peer);
    link.faults->failWrites = true;
    EXPECT_EQ(link.comm.SendAndWait("AT\r", "OK", 50ms), ExchangeEnd::NotSent);
    EXPECT_TRUE(link.faults->reads.empty());
    EXPECT_TRUE(link.delivered.empty());
}

TEST(TVVComm, FailedReadDeliversWhatCameBefore) {
    PtyPeer peer;
    Link link(peer);
    link.faults->failReadNumber = 2;
    peer.Script({PeerStep{"AT\r", {{0, "\r\nER"}, {300, "ROR\r\n"}}}});
    EXPECT_EQ(link.comm.SendAndWait("AT\r", "OK", 50ms), ExchangeEnd::PortFailed);
    EXPECT_EQ(link.faults->reads.size(), 2u);
    EXPECT_EQ(link.delivered, std::vector<std::string>{"\r\nER"});
    // A poll whose read fails says so, so a polling thread can stop.
    link.faults->failReadNumber = 3;
    EXPECT_FALSE(link.comm.PollRead());
    EXPECT_TRUE(link.comm.PollRead());
}

// A listing is complete only with its "&Z3=" entry whole: a read that ends
// inside the entry's list is followed by another, unless the module has
// stopped sending; a list still unended when the reads are used up is no
// answer at all.
struct EntryCase {
    const char* name;
    std::string reply;  // sent at once
    std::size_t reads;
    std::string deliveredTail;
    ExchangeEnd end;
};

inline void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class ListingEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(ListingEntry, IsHeldOnlyWhenWhole) {
    const EntryCase& c = GetParam();
    PtyPeer peer;
    Link link(peer);
    peer.Script({PeerStep{"AT&V\r", {{0, c.reply}}}});
    EXPECT_EQ(link.comm.SendAndWait("AT&V\r", "&Z3=", 100ms), c.end);
    EXPECT_EQ(link.faults->reads.size(), c.reads);
    ASSERT_EQ(link.delivered.size(), 1u);
    const std::string& got = link.delivered[0];
    EXPECT_EQ(got.substr(got.size() - std::min(got.size(), c.deliveredTail.size())), c.deliveredTail);
}

const std::string kHead(247, 'S');  // with "&Z3=27,1" exactly one 255-byte read

INSTANTIATE_TEST_SUITE_P(
    TVVComm, ListingEntry,
    ::testing::Values(
        EntryCase{"EndedInTheFirstRead", "S0:1 &Z3=5,7 \r\n\r\nOK\r\n", 1, "OK\r\n",
                  ExchangeEnd::Answered},
        EntryCase{"CutAtTheReadBoundaryTakesTheNextRead", kHead + "&Z3=27,127,1,179 \r\n\r\nOK\r\n", 2,
                  "&Z3=27,127,1,179 \r\n\r\nOK\r\n", ExchangeEnd::Answered},
        EntryCase{"CutAfterTheEqualsSign", std::string(251, 'S') + "&Z3=" + "\r\n\r\nOK\r\n", 2,
                  "&Z3=\r\n\r\nOK\r\n", ExchangeEnd::Answered},
        // The module stopped: what it sent is the whole list.
        EntryCase{"UnendedButTheModuleStopped", "S0:1 &Z3=27,1", 1, "&Z3=27,1", ExchangeEnd::Answered},
        EntryCase{"StillCutWhenTheReadsAreUsedUp", kHead + "&Z3=" + std::string(2400, '1'), 10,
                  std::string(20, '1'), ExchangeEnd::Unanswered}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qx
