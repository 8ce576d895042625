// qxsim's stored settings across runs.
#include "e2e/sim_fixture.h"

#include <filesystem>

namespace qx::simtest {
namespace {

using SimStateTest = SimTest;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(SimStateTest, StoredSettingsSurviveARestartOfTheSimulator) {
    Start({"--state", StateFile()});
    {
        auto port = Open();
        ASSERT_NE(port->Exchange("ATS0=7&Z0=3,4,7&G12\r").find("OK"), std::string::npos);
        ASSERT_NE(port->Exchange("AT&W\r").find("OK"), std::string::npos);
        // Changed after the store: lost with the restart.
        ASSERT_NE(port->Exchange("ATS6=99\r").find("OK"), std::string::npos);
    }
    ASSERT_EQ(Stop(), 0);
    EXPECT_EQ(ReadAll(StateFile()).rfind("qxsim-state 1\n", 0), 0u);

    Start({"--state", StateFile()});
    auto port = Open();
    const std::string listing = Listing(*port);
    EXPECT_NE(listing.find("S0:007 "), std::string::npos) << listing;
    EXPECT_NE(listing.find("&Z0=3,4,7 "), std::string::npos);
    EXPECT_NE(listing.find(" &G012 "), std::string::npos);
    EXPECT_NE(listing.find("S6:000 "), std::string::npos);
}

TEST_F(SimStateTest, StoredLineSettingsApplyAtStart) {
    Start({"--state", StateFile()});
    {
        auto port = Open();
        ASSERT_NE(port->Exchange("ATC6&W\r").find("OK"), std::string::npos);
    }
    ASSERT_EQ(Stop(), 0);
    Start({"--state", StateFile()});
    auto port = Open({19200, false, false, false});
    EXPECT_NE(port->Exchange("AT\r").find("OK"), std::string::npos);
}

TEST_F(SimStateTest, FactoryDefaultsAreStoredWithAndW) {
    Start({"--state", StateFile()});
    auto port = Open();
    port->Exchange("ATS0=7&W\r");
    port->Exchange("AT&F&W\r");
    port.reset();
    ASSERT_EQ(Stop(), 0);
    Start({"--state", StateFile()});
    port = Open();
    EXPECT_NE(Listing(*port).find("S0:001 "), std::string::npos);
}

class SimCorruptState : public SimTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SimCorruptState, IsReportedAndFactoryDefaultsUsed) {
    {
        std::ofstream out(StateFile());
        out << GetParam();
    }
    Start({"--state", StateFile()});
    auto port = Open();
    EXPECT_NE(Listing(*port).find("S0:001 S1:050 "), std::string::npos);
    EXPECT_NE(StderrText().find("corrupt"), std::string::npos) << StderrText();
}

INSTANTIATE_TEST_SUITE_P(Files, SimCorruptState,
                         ::testing::Values("garbage", "qxsim-state 1\nB=0\n", "qxsim-state 1\nB=9\n",
                                           "qxsim-state 2\n"));

TEST_F(SimStateTest, StoreLeavesNoTemporaryFileBehind) {
    Start({"--state", StateFile()});
    auto port = Open();
    for (int i = 0; i < 5; ++i) ASSERT_NE(port->Exchange("AT&W\r").find("OK"), std::string::npos);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(StateFile()).parent_path())) {
        ++files;
    }
    EXPECT_EQ(files, 3);  // state, stderr, the link
}

}  // namespace
}  // namespace qx::simtest
