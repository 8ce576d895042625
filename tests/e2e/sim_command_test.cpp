// qxsim in command mode: result codes, settings, the listing, identification.
#include "e2e/sim_fixture.h"

#include <unistd.h>

#include <filesystem>
#include <regex>

namespace qx::simtest {
namespace {

using SimCommandTest = SimTest;

TEST_F(SimCommandTest, LoneCarriageReturnIsAnsweredOk) {
    Start();
    auto port = Open();
    EXPECT_EQ(port->Exchange("\r"), "\r\r\nOK\r\n");
}

TEST_F(SimCommandTest, UnknownCommandIsAnError) {
    Start();
    auto port = Open();
    EXPECT_NE(port->Exchange("ATY\r", "ERROR\r\n").find("\r\nERROR\r\n"), std::string::npos);
}

struct RoundTrip {
    const char* command;
    const char* shown;  // what the listing then holds
};

class SimSettingRoundTrip : public SimTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(SimSettingRoundTrip, ListingShowsWhatWasWritten) {
    Start();
    auto port = Open();
    ASSERT_NE(port->Exchange(std::string(GetParam().command) + "\r").find("OK"), std::string::npos);
    EXPECT_NE(Listing(*port).find(GetParam().shown), std::string::npos) << GetParam().command;
}

// Every setting the configure list writes, with values other than the factory ones.
INSTANTIATE_TEST_SUITE_P(EverySetting, SimSettingRoundTrip,
                         ::testing::Values(RoundTrip{"ATB2", "\nB2 "}, RoundTrip{"ATE0", " E0 "},
                                           RoundTrip{"ATX3", " X3 "}, RoundTrip{"AT&C2", " &C2 "},
                                           RoundTrip{"AT&D3", " &D3 "}, RoundTrip{"AT&E1", " &E1 "},
                                           RoundTrip{"AT&G200", " &G200 "}, RoundTrip{"AT&K5", " &K5 "},
                                           RoundTrip{"AT&K0", " &K0 "}, RoundTrip{"AT&L3", " &L3 "},
                                           RoundTrip{"AT&M3", " &M3 "}, RoundTrip{"AT&N0", " &N0 "},
                                           RoundTrip{"AT&S254", " &S254 "}, RoundTrip{"AT&U127", " &U127 "},
                                           RoundTrip{"AT\\T9", " \\T009 "}, RoundTrip{"ATS0=5", "S0:005 "},
                                           RoundTrip{"ATS1=3", "S1:003 "}, RoundTrip{"ATS2=45", "S2:045 "},
                                           RoundTrip{"ATS10=255", "S10:255 "}, RoundTrip{"ATS14=0", "S14:000 "},
                                           RoundTrip{"ATS18=247", "S18:247 "}, RoundTrip{"ATS21=3", "S21:003 "},
                                           RoundTrip{"AT&Z0=3,4,7", "&Z0=3,4,7 \r\n"},
                                           RoundTrip{"AT&Z3=1,2,3,4,5,9", "&Z3=1,2,3,4,5,9 \r\n"},
                                           RoundTrip{"AT&Z1=", "&Z1= \r\n"},
                                           RoundTrip{"ATS0=3S6=4&Z2=9", "&Z2=9 \r\n"},
                                           RoundTrip{"ATB1AT&E1", " &E1 "}));

class SimRejectedCommand : public SimTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SimRejectedCommand, IsAnsweredWithError) {
    Start();
    auto port = Open();
    const std::string before = Listing(*port);
    EXPECT_NE(port->Exchange(std::string(GetParam()) + "\r", "ERROR\r\n").find("ERROR"), std::string::npos);
    // A refused value leaves the settings alone.
    EXPECT_EQ(Listing(*port), before);
}

INSTANTIATE_TEST_SUITE_P(OutOfRangeOrMalformed, SimRejectedCommand,
                         ::testing::Values("ATB3", "ATC14", "AT&B16", "AT&K6", "ATS21=4", "ATS9=5", "ATS22=1",
                                           "ATS2=0", "AT&Z0=1,,2", "AT&Z0=1,2,3,4,5,6,7", "AT&Z0=256", "AT&Z4=1",
                                           "ATS1", "AT&", "ATY"));

TEST_F(SimCommandTest, ListingHasTheDocumentedShape) {
    Start();
    auto port = Open();
    const std::string listing = Listing(*port);
    const std::regex shape(
        "AT&V\r\r\n"
        "B\\d C\\d{1,2} E\\d Q\\d V\\d X\\d &B\\d{1,2} &C\\d &D\\d &E\\d &G\\d{3} &K\\d &L\\d &M\\d &N\\d "
        "&S\\d{3} &U\\d{3} \\\\T\\d{3} \r\n"
        "S0:\\d{3} S1:\\d{3} S2:\\d{3} S3:\\d{3} S4:\\d{3} S5:\\d{3} S6:\\d{3} S7:\\d{3} S8:\\d{3} S9:\\d{3} "
        "S10:\\d{3} \r\n"
        "S11:\\d{3} S12:\\d{3} S13:\\d{3} S14:\\d{3} S15:\\d{3} S16:\\d{3} S17:\\d{3} S18:\\d{3} S19:\\d{3} "
        "S20:\\d{3} S21:\\d{3} \r\n"
        "&Z0=[\\d,]* \r\n&Z1=[\\d,]* \r\n&Z2=[\\d,]* \r\n&Z3=[\\d,]* \r\n"
        "\r\nOK\r\n");
    EXPECT_TRUE(std::regex_match(listing, shape)) << listing;
}

TEST_F(SimCommandTest, FactoryListing) {
    Start();
    auto port = Open();
    EXPECT_EQ(Listing(*port),
              "AT&V\r\r\n"
              "B0 C4 E1 Q0 V1 X0 &B2 &C1 &D0 &E0 &G001 &K4 &L1 &M0 &N1 &S001 &U001 \\T000 \r\n"
              "S0:001 S1:050 S2:043 S3:013 S4:010 S5:008 S6:000 S7:005 S8:000 S9:071 S10:001 \r\n"
              "S11:000 S12:000 S13:000 S14:255 S15:000 S16:000 S17:000 S18:120 S19:005 S20:100 S21:001 \r\n"
              "&Z0= \r\n&Z1= \r\n&Z2= \r\n&Z3= \r\n\r\nOK\r\n");
}

// A host reading 255 bytes at a time stops at the first read holding
// "&Z3=": that read must also hold the list, so "&Z3=" must lie beyond the
// first 255 bytes even in the shortest listing (basic model, no echo,
// numeric codes).
TEST_F(SimCommandTest, ShortestListingKeepsTheLastListOutOfTheFirstRead) {
    Start({"--model", "QX5T"});
    auto port = Open();
    port->Exchange("ATE0V0\r", "\r0\r");
    const std::string listing = port->Exchange("AT&V\r", "\n0\r");
    EXPECT_EQ(listing.find("S21"), std::string::npos);
    EXPECT_GT(listing.find("&Z3="), 255u) << listing;
    EXPECT_LT(listing.size(), 510u);
}

TEST_F(SimCommandTest, BasicModelRefusesFastControlledMode) {
    Start({"--model", "QX5T"});
    auto port = Open();
    EXPECT_NE(port->Exchange("AT&M3\r", "ERROR\r\n").find("ERROR"), std::string::npos);
    EXPECT_NE(port->Exchange("AT&M2\r").find("OK"), std::string::npos);
    // S21 is written for both models; the basic one takes it and has none.
    EXPECT_NE(port->Exchange("ATS21=2\r").find("OK"), std::string::npos);
}

TEST_F(SimCommandTest, OldFirmwareKeepsS21AtZero) {
    Start({"--firmware", "1.89"});
    auto port = Open();
    EXPECT_NE(port->Exchange("ATS21=2\r").find("OK"), std::string::npos);
    EXPECT_NE(Listing(*port).find("S21:000 "), std::string::npos);
}

struct Identification {
    std::vector<std::string> args;
    std::string line;
};

class SimIdentification : public SimTest, public ::testing::WithParamInterface<Identification> {};

TEST_P(SimIdentification, NamesModelAndFirmware) {
    Start(GetParam().args);
    auto port = Open();
    EXPECT_EQ(port->Exchange("ATI\r"), "ATI\r\r\n" + GetParam().line + "\r\n\r\nOK\r\n");
}

INSTANTIATE_TEST_SUITE_P(Models, SimIdentification,
                         ::testing::Values(Identification{{}, "QX7T-R Radio Modem V1.95 SIM"},
                                           Identification{{"--firmware", "2.10"}, "QX7T-R Radio Modem V2.10 SIM"},
                                           Identification{{"--model", "QX5T"}, "QX5T Radio Modem V1.95 SIM"}));

TEST_F(SimCommandTest, QuietModeSendsNoResultCodes) {
    Start();
    auto port = Open();
    EXPECT_EQ(port->Exchange("ATQ1\r", "\r\n", 500ms), "ATQ1\r");
    EXPECT_EQ(port->Exchange("AT\r", "OK", 500ms), "AT\r");
    // Information still comes.
    EXPECT_NE(port->Exchange("ATI\r", "SIM\r\n").find("SIM\r\n"), std::string::npos);
}

TEST_F(SimCommandTest, NumericResultCodes) {
    Start();
    auto port = Open();
    EXPECT_EQ(port->Exchange("ATV0\r", "\r0\r"), "ATV0\r0\r");
    EXPECT_EQ(port->Exchange("ATY\r", "4\r"), "ATY\r4\r");
    EXPECT_EQ(port->Exchange("ATI\r", "0\r"), "ATI\rQX7T-R Radio Modem V1.95 SIM\r\n0\r");
    EXPECT_EQ(port->Exchange("\r", "0\r"), "\r0\r");
}

TEST_F(SimCommandTest, EchoOff) {
    Start();
    auto port = Open();
    EXPECT_EQ(port->Exchange("ATE0\r"), "ATE0\r\r\nOK\r\n");
    EXPECT_EQ(port->Exchange("AT\r"), "\r\nOK\r\n");
}

TEST_F(SimCommandTest, BackspaceEditsTheLine) {
    Start();
    auto port = Open();
    EXPECT_NE(port->Exchange("ATB5\b2\r").find("OK"), std::string::npos);
    EXPECT_NE(Listing(*port).find("\nB2 "), std::string::npos);
}

TEST_F(SimCommandTest, FactoryDefaultsRestoreTheListing) {
    Start();
    auto port = Open();
    const std::string factory = Listing(*port);
    port->Exchange("ATB2&G9S0=7&Z0=1,2\r");
    ASSERT_NE(Listing(*port), factory);
    EXPECT_NE(port->Exchange("AT&F\r").find("OK"), std::string::npos);
    EXPECT_EQ(Listing(*port), factory);
}

TEST_F(SimCommandTest, PortCanBeClosedAndOpenedAgainManyTimes) {
    Start();
    for (int i = 0; i < 25; ++i) {
        auto port = Open();
        ASSERT_EQ(port->Exchange("\r"), "\r\r\nOK\r\n") << "opening " << i;
    }
}

TEST_F(SimCommandTest, ReplacesAStaleLinkAndRemovesItsOwnAtExit) {
    ASSERT_EQ(::symlink("/nonexistent/pts", Link().c_str()), 0);
    Start();
    auto port = Open();
    EXPECT_NE(port->Exchange("\r").find("OK"), std::string::npos);
    port.reset();
    EXPECT_EQ(Stop(), 0);
    std::error_code error;
    EXPECT_FALSE(std::filesystem::is_symlink(Link(), error));
}

}  // namespace
}  // namespace qx::simtest

namespace qx::simtest {
namespace {

TEST(SimSeveralModules, EachLinkReachesItsOwnModule) {
    TempDir dir;
    SimProcess main(dir.File("com1"), {}, dir.File("err1"));
    SimProcess basic(dir.File("com2"), {"--model", "QX5T"}, dir.File("err2"));
    HostPort first(dir.File("com1"));
    HostPort second(dir.File("com2"));
    EXPECT_NE(first.Exchange("ATI\r").find("QX7T-R Radio Modem"), std::string::npos);
    EXPECT_NE(second.Exchange("ATI\r").find("QX5T Radio Modem"), std::string::npos);
    EXPECT_NE(first.Exchange("ATS0=9\r").find("OK"), std::string::npos);
    EXPECT_NE(second.Exchange("AT&V\r").find("S0:001 "), std::string::npos);
}

}  // namespace
}  // namespace qx::simtest
