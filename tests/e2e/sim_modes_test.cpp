// qxsim's on-line modes, the escape sequence, line settings and test modes.
#include "e2e/sim_fixture.h"

#include <thread>

namespace qx::simtest {
namespace {

using SimModeTest = SimTest;
using Clock = std::chrono::steady_clock;

// Counts the occurrences of `needle` in `text`.
int Count(const std::string& text, const std::string& needle) {
    int n = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
    return n;
}

TEST_F(SimModeTest, OnlineModuleIgnoresCommandsUntilTheEscape) {
    Start({"--online", "--guard", "100"});
    auto port = Open();
    EXPECT_EQ(port->Exchange("AT\r", "OK", 400ms), "");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(port->Exchange("+++", "OK\r\n"), "\r\nOK\r\n");
    EXPECT_EQ(port->Exchange("AT\r"), "AT\r\r\nOK\r\n");
}

struct NotAnEscape {
    const char* name;
    const char* text;
};

class SimNotAnEscape : public SimTest, public ::testing::WithParamInterface<NotAnEscape> {};

TEST_P(SimNotAnEscape, StaysOnline) {
    Start({"--online", "--guard", "100"});
    auto port = Open();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(port->Exchange(GetParam().text, "OK", 600ms), "") << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Sequences, SimNotAnEscape,
                         ::testing::Values(NotAnEscape{"data right before", "x+++"},
                                           NotAnEscape{"data right after", "+++x"},
                                           NotAnEscape{"four escape characters", "++++"},
                                           NotAnEscape{"only two", "++"},
                                           NotAnEscape{"another character", "---"}));

TEST_F(SimModeTest, EscapeMustFollowTheGuardTimeOfSilence) {
    Start({"--online", "--guard", "400"});
    auto port = Open();
    std::this_thread::sleep_for(600ms);
    port->Send("x");  // data: the guard time starts again
    EXPECT_EQ(port->Exchange("+++", "OK", 900ms), "");
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(port->Exchange("+++", "OK\r\n"), "\r\nOK\r\n");
}

TEST_F(SimModeTest, GuardTimeComesFromS1) {
    Start();
    auto port = Open();
    // S1 = 15 is 300 ms; "&L1" puts the restarted module on line.
    ASSERT_NE(port->Exchange("ATS1=15&L1&W\r").find("OK"), std::string::npos);
    ASSERT_NE(port->Exchange("ATZ\r").find("OK"), std::string::npos);
    EXPECT_EQ(port->Exchange("AT\r", "OK", 400ms), "");
    std::this_thread::sleep_for(500ms);
    const auto sent = Clock::now();
    EXPECT_EQ(port->Exchange("+++", "OK\r\n"), "\r\nOK\r\n");
    EXPECT_GE(Clock::now() - sent, 290ms);
}

TEST_F(SimModeTest, EscapeCharacterComesFromS2) {
    Start({"--guard", "100"});
    auto port = Open();
    port->Exchange("ATS2=45\r");
    port->Exchange("ATO\r");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(port->Exchange("+++", "OK", 500ms), "");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(port->Exchange("---", "OK\r\n"), "\r\nOK\r\n");
}

struct RestartMode {
    const char* settings;
    bool online;
};

class SimRestart : public SimTest, public ::testing::WithParamInterface<RestartMode> {};

TEST_P(SimRestart, GoesOnlineByItsStoredMode) {
    Start({"--guard", "100"});
    auto port = Open();
    ASSERT_NE(port->Exchange(std::string("AT") + GetParam().settings + "&W\r").find("OK"), std::string::npos);
    ASSERT_NE(port->Exchange("ATZ\r").find("OK"), std::string::npos);
    const bool answered = port->Exchange("AT\r", "OK", 500ms).find("OK") != std::string::npos;
    EXPECT_EQ(answered, !GetParam().online) << GetParam().settings;
}

INSTANTIATE_TEST_SUITE_P(LinkAndMode, SimRestart,
                         ::testing::Values(RestartMode{"&L0&M0", false}, RestartMode{"&L1&M0", true},
                                           RestartMode{"&L1&M1", true}, RestartMode{"&L0&M2", false},
                                           RestartMode{"&L1&M2", false}, RestartMode{"&L2&M2", true},
                                           RestartMode{"&L3&M3", true}));

TEST_F(SimModeTest, RestartTakesTheStoredSettings) {
    Start();
    auto port = Open();
    port->Exchange("ATS0=7&L0&W\r");
    port->Exchange("ATS0=9\r");
    port->Exchange("ATZ\r");
    EXPECT_NE(Listing(*port).find("S0:007 "), std::string::npos);
}

TEST_F(SimModeTest, OnlineCommandReturnsToDataMode) {
    Start({"--guard", "100"});
    auto port = Open();
    EXPECT_NE(port->Exchange("ATO\r").find("OK"), std::string::npos);
    EXPECT_EQ(port->Exchange("AT\r", "OK", 400ms), "");
}

struct LineChange {
    const char* command;
    HostLine newLine;
};

class SimLineChange : public SimTest, public ::testing::WithParamInterface<LineChange> {};

TEST_P(SimLineChange, ModuleListensOnlyAtTheNewSettings) {
    Start();
    auto port = Open();
    // Confirmed at the old settings...
    EXPECT_NE(port->Exchange(std::string(GetParam().command) + "\r").find("OK"), std::string::npos);
    // ...then input at the old settings is lost,
    EXPECT_EQ(port->Exchange("AT\r", "OK", 400ms), "");
    // and the new ones work.
    port->SetLine(GetParam().newLine);
    EXPECT_EQ(port->Exchange("AT\r"), "AT\r\r\nOK\r\n");
}

INSTANTIATE_TEST_SUITE_P(RatesAndFormats, SimLineChange,
                         ::testing::Values(LineChange{"ATC6", {19200, false, false, false}},
                                           LineChange{"ATC1", {1200, false, false, false}},
                                           LineChange{"ATC0", {115200, false, false, false}},
                                           LineChange{"ATC12", {115200, false, false, false}},
                                           LineChange{"AT&B3", {9600, true, false, false}},
                                           LineChange{"AT&B10", {9600, false, true, true}},
                                           LineChange{"AT&B9", {9600, true, true, true}},
                                           LineChange{"ATC9AT&B3", {38400, true, false, false}}));

TEST_F(SimModeTest, EvenParityAndSevenDataBitsAreNotVisibleOnAPty) {
    // A pty keeps neither parity-enable nor the data bits: E-7-1 and N-8-1
    // look the same, so the module answers either.
    Start();
    auto port = Open();
    EXPECT_NE(port->Exchange("AT&B12\r").find("OK"), std::string::npos);
    EXPECT_NE(port->Exchange("AT\r").find("OK"), std::string::npos);
}

TEST_F(SimModeTest, StartsAtTheLineGivenOnTheCommandLine) {
    Start({"--baud", "19200", "--format", "O-7-2"});
    auto port = Open({9600, false, false, false});
    EXPECT_EQ(port->Exchange("AT\r", "OK", 400ms), "");
    port->SetLine({19200, true, true, true});
    EXPECT_NE(port->Exchange("AT\r").find("OK"), std::string::npos);
    EXPECT_NE(Listing(*port).find(" C6 "), std::string::npos);
    EXPECT_NE(Listing(*port).find(" &B9 "), std::string::npos);
}

TEST_F(SimModeTest, FactoryRestoreReturnsTo9600) {
    Start({"--baud", "57600"});
    auto port = Open({57600, false, false, false});
    EXPECT_NE(port->Exchange("AT&F&W\r").find("OK"), std::string::npos);
    port->SetLine({9600, false, false, false});
    EXPECT_NE(port->Exchange("AT\r").find("OK"), std::string::npos);
}

TEST_F(SimModeTest, DeferredLineChangeTakesEffectWithTheRestart) {
    Start();
    auto port = Open();
    EXPECT_NE(port->Exchange("AT&L0\r").find("OK"), std::string::npos);
    EXPECT_NE(port->Exchange("ATC10AT&B3AT&WATZ\r", "\r\n").find("\r\n"), std::string::npos);
    EXPECT_EQ(port->Exchange("AT\r", "OK", 400ms), "");
    port->SetLine({57600, true, false, false});
    EXPECT_NE(port->Exchange("AT\r").find("OK"), std::string::npos);
}

TEST_F(SimModeTest, OutputAtTheWrongSettingsIsUnreadable) {
    Start();
    auto port = Open();
    ASSERT_NE(port->Exchange("AT&T3\r").find("OK"), std::string::npos);  // RSSI lines from now on
    port->SetLine({19200, false, false, false});
    port->Purge();
    const std::string garbled = port->ReadFor(700ms);
    EXPECT_FALSE(garbled.empty());
    EXPECT_EQ(garbled.find("dBm"), std::string::npos);
}

struct TestMode {
    const char* command;
    const char* reply;
    const char* token;  // in every result line; empty: none are sent
};

class SimTestMode : public SimTest, public ::testing::WithParamInterface<TestMode> {};

TEST_P(SimTestMode, StreamsUntilEscapeAndRestart) {
    Start({"--guard", "100"});
    auto port = Open();
    ASSERT_NE(port->Exchange("AT&K0&L0&W\r").find("OK"), std::string::npos);
    const std::string reply = port->Exchange(std::string(GetParam().command) + "\r", "OK\r\n");
    EXPECT_NE(reply.find(GetParam().reply), std::string::npos) << reply;
    const std::string token = GetParam().token;
    // Commands are data while the test runs.
    const std::string streamed = port->Exchange("AT\r", "never", 1500ms);
    EXPECT_EQ(streamed.find("OK"), std::string::npos);
    if (token.empty()) {
        EXPECT_EQ(streamed, "");
    } else {
        EXPECT_GE(Count(streamed, token), 2) << streamed;
        EXPECT_EQ(Count(streamed, token), Count(streamed, "\r\n")) << streamed;
    }
    // The wake: escape, then "ATZ" ends the test.
    EXPECT_NE(port->Exchange("+++", "OK\r\n").find("OK"), std::string::npos);
    EXPECT_NE(port->Exchange("ATZ\r", "OK\r\n").find("OK"), std::string::npos);
    EXPECT_EQ(port->Exchange("AT\r"), "AT\r\r\nOK\r\n");
    EXPECT_EQ(port->ReadFor(600ms), "");
}

INSTANTIATE_TEST_SUITE_P(AllFour, SimTestMode,
                         ::testing::Values(TestMode{"AT&T0", "00", ""}, TestMode{"AT&T1", "TEST 01", " x "},
                                           TestMode{"AT&T2", "TEST 02", " x "},
                                           TestMode{"AT&T3", "TEST 03", "dBm"}));

TEST_F(SimModeTest, ResultLinesHaveSevenTokens) {
    Start();
    auto port = Open();
    port->Exchange("AT&T1\r");
    const std::string lines = port->ReadUntil("\r\n", 2000ms);
    std::istringstream words(lines);
    std::vector<std::string> tokens;
    for (std::string word; words >> word;) tokens.push_back(word);
    ASSERT_EQ(tokens.size(), 7u) << lines;
    EXPECT_EQ(tokens[2], "x");
}

}  // namespace
}  // namespace qx::simtest
