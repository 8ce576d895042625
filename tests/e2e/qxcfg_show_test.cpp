#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "support/field_lines.h"
#include "support/run_process.h"

namespace qx {
namespace {

using test::RunProgram;

std::map<std::string, std::string> Fields(const std::string& out) { return test::ParseFieldLines(out); }

TEST(QxcfgShow, ThresholdsOnBothModels) {
    struct Case {
        std::vector<std::string> args;
        const char* s18;
        const char* s19;
        const char* stderrText;
    };
    const char* question = "CONFIRMATION: Automatically adjust S18 & S19 (recommended)? -> ";
    for (const Case& c : {Case{{"show", "--sysaddr", "17"}, "120", "5", ""},
                          Case{{"--model", "QX5T", "show", "--sysaddr", "17"}, "129", "5", ""},
                          Case{{"show", "--set", "Serial_Baud=1"}, "247", "34", "Yes"},
                          Case{{"--no", "show", "--set", "Serial_Baud=1"}, "120", "5", "No"}}) {
        const auto r = RunProgram("qxcfg", c.args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        auto f = Fields(r.out);
        EXPECT_EQ(f["sreg_18"], c.s18);
        EXPECT_EQ(f["sreg_19"], c.s19);
        EXPECT_EQ(r.err, *c.stderrText ? std::string(question) + c.stderrText + "\n" : "");
    }
}

TEST(QxcfgShow, PrintsEveryFieldInTableOrderThenModeAndPlc) {
    const auto r = RunProgram("qxcfg", {"show", "--sysaddr", "17"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("rb_TransMode=1\nrb_TM_Rpt=0\n", 0), 0u);
    EXPECT_NE(r.out.find("\ned_TM_SysAdd=17\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nsreg_21=1\nOperatingMode=1\nPlcModeActive=1\n"), std::string::npos);
    EXPECT_EQ(Fields(r.out).size(), 83u);  // 81 fields, mode, PLC
}

TEST(QxcfgShow, UserActionsRunTheRules) {
    const auto r = RunProgram("qxcfg", {"show", "--sysaddr", "17", "--set", "OperatingMode=3", "--set",
                                        "ed_CM_UnitAdd=40", "--set", "chk_CM_Fast=1", "--set", "Radio_PackSize=600"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto f = Fields(r.out);
    EXPECT_EQ(f["OperatingMode"], "3");
    EXPECT_EQ(f["rb_ContMode"], "1");
    EXPECT_EQ(f["ed_CM_UnitAdd"], "15");
    EXPECT_EQ(f["Radio_PackSize"], "530");
    EXPECT_EQ(f["sreg_18"], "133");
    // Fast Operation and the packet size each asked once; the size was clamped.
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 3);
    EXPECT_NE(r.err.find("qxcfg: warning: Radio_PackSize=600 is outside 20..530; 530 applied\n"), std::string::npos);
}

TEST(QxcfgShow, MessagesAreOneLine) {
    const auto r = RunProgram("qxcfg", {"--no", "show", "--set", "Serial_Baud=13"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "INFORMATION: The selected Baud Rate is not supported by this computer. Once configured with this "
              "value, this computer will be unable to communicate with the module.\n"
              "CONFIRMATION: Automatically adjust S18 & S19 (recommended)? -> No\n");
}

TEST(QxcfgShow, JsonCarriesModelStatusModeAndSettingsByKey) {
    const auto r = RunProgram("qxcfg", {"--model", "QX5T", "show", "--sysaddr", "9", "--json"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("{\n  \"model\": \"QX5T\",\n  \"status\": \"\",\n  \"mode\": \"transparent\",\n"
                          "  \"system-address\": 9,\n",
                          0),
              0u)
        << r.out;
    EXPECT_NE(r.out.find("\n  \"serial.baud\": \"9600\",\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n  \"plc-mode\": \"on\",\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n  \"s18\": 129,\n"), std::string::npos);
    EXPECT_NE(r.out.find("\n  \"s21\": 1\n}\n"), std::string::npos);
}

TEST(QxcfgShow, UsageErrorsExitWith2) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"show", "--set", "nosuch=1"}, {"show", "--set", "sreg_14=abc"},
          {"show", "--set", "Serial_Baud=14"}, {"show", "--set", "chk_CM_LowPow=2"},
          {"show", "--set", "OperatingMode=0"}, {"show", "--set", "sreg_9=3"}, {"show", "--sysaddr", "300"},
          {"--model", "QX9", "show"}, {"--model", "QX5T", "show", "--set", "chk_CM_Fast=1"},
          {"show", "--set", "rb_TransMode=0"}, {"nosuchcommand"}, {}}) {
        const auto r = RunProgram("qxcfg", args);
        EXPECT_EQ(r.exitCode, 2) << (args.empty() ? "" : args.back());
        EXPECT_NE(r.err.find("qxcfg: "), std::string::npos);
    }
}

}  // namespace
}  // namespace qx
