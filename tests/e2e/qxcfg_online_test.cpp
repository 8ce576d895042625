// qxcfg's module commands against the simulator on a real pseudo-terminal:
// read, write with verification, restore, the rate change the host follows,
// the refused XON/XOFF, and the diagnostics. (Declined questions and the
// other exit codes: qxcfg_outcome_test.)

#include <map>
#include <regex>
#include <sstream>

#include "e2e/sim_fixture.h"
#include "support/field_lines.h"
#include "support/run_process.h"

namespace qx::simtest {
namespace {

using test::RunProgram;

std::map<std::string, std::string> Fields(const std::string& out) { return test::ParseFieldLines(out); }

class QxcfgOnlineTest : public SimTest {
protected:
    test::ProcessResult Qxcfg(std::vector<std::string> args) {
        args.insert(args.begin() + 1, {"--port", Link()});
        return RunProgram("qxcfg", args);
    }
    // A configuration file made with qxcfg's own rules.
    std::string MakeFile(const std::vector<std::string>& settings) {
        const std::string file = dir_.File("wanted.X7R");
        EXPECT_EQ(RunProgram("qxcfg", {"new", "-o", file, "--sysaddr", "77"}).exitCode, 0);
        std::vector<std::string> args{"set", file};
        args.insert(args.end(), settings.begin(), settings.end());
        const auto r = RunProgram("qxcfg", args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return file;
    }
};

TEST_F(QxcfgOnlineTest, ReadPrintsTheModulesConfigurationAndSavesIt) {
    Start({"--state", StateFile()});
    const auto r = Qxcfg({"read", "-o", dir_.File("read.X7R")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto f = Fields(r.out);
    EXPECT_EQ(f["OperatingMode"], "1");
    EXPECT_EQ(f["StatusLine"].rfind("  V", 0), 0u);
    EXPECT_NE(r.err.find("Reading Module..."), std::string::npos);
    const auto shown = RunProgram("qxcfg", {"show", dir_.File("read.X7R")});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_EQ(Fields(shown.out)["ed_TM_SysAdd"], f["ed_TM_SysAdd"]);
}

TEST_F(QxcfgOnlineTest, WriteThenVerifyAndReadBack) {
    Start({"--state", StateFile()});
    const std::string file =
        MakeFile({"OperatingMode=5", "Z1_Dest=9", "Z1_Rpt1=4", "sreg_2=35", "Radio_Crc=1", "Serial_DCD=2"});
    const auto w = Qxcfg({"write", file, "--verify"});
    ASSERT_EQ(w.exitCode, 0) << w.err;
    EXPECT_NE(w.out.find("verified"), std::string::npos);
    EXPECT_NE(w.out.find("module now answers at 9600 N-8-1, escape character 35 (--baud 9600 --format N-8-1 "
                         "--escape-char 35)\n"),
              std::string::npos)
        << w.out;
    // The new escape character is the module's now: a read needs it.
    const auto r = Qxcfg({"read", "--escape-char", "35"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto f = Fields(r.out);
    EXPECT_EQ(f["rb_CM_Single"], "1");
    EXPECT_EQ(f["Z1_Dest"], "9");
    EXPECT_EQ(f["Z1_Rpt1"], "4");
    EXPECT_EQ(f["ed_CM_SysAdd"], "77");
    EXPECT_EQ(f["Radio_Crc"], "1");
}

TEST_F(QxcfgOnlineTest, TheHostFollowsANewRateAndFormat) {
    Start();
    const std::string file = MakeFile({"Serial_Baud=6", "Serial_Parity=3", "Serial_Data=0"});
    const auto w = Qxcfg({"write", file, "--verify"});
    ASSERT_EQ(w.exitCode, 0) << w.err;
    EXPECT_EQ(w.out.rfind("module now answers at 19200 E-7-1, escape character 43 (--baud 19200 --format E-7-1 "
                          "--escape-char 43)\n",
                          0),
              0u)
        << w.out;
    // The module now listens at its new settings only.
    const auto r = Qxcfg({"read", "--baud", "19200", "--format", "E-7-1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Fields(r.out)["Serial_Baud"], "6");
}

TEST_F(QxcfgOnlineTest, RefusedXonXoffIsReportedAndNothingIsStored) {
    Start({"--fault", "reject-xon", "--state", StateFile()});
    const std::string file = MakeFile({"Serial_Flow=3", "sreg_20=9"});
    const auto w = Qxcfg({"write", file});
    EXPECT_EQ(w.exitCode, 1);
    EXPECT_NE(w.err.find("ERROR: Error programming XON/XOFF flow control. This parameter is not supported by the "
                         "module firmware."),
              std::string::npos);
    const auto r = Qxcfg({"read"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Fields(r.out)["sreg_20"], "100");
}

TEST_F(QxcfgOnlineTest, RestoreAsksThenRestoresFactorySettings) {
    Start({"--state", StateFile()});
    ASSERT_EQ(Qxcfg({"write", MakeFile({"sreg_20=9", "serial.baud=19200"})}).exitCode, 0);
    const auto r = RunProgram("qxcfg", {"--yes", "restore", "--port", Link(), "--baud", "19200"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("WARNING: This option will delete all existing configuration data and restore factory "
                         "defaults to the modem. Continue? -> Yes"),
              std::string::npos);
    EXPECT_EQ(Fields(r.out)["sreg_20"], "100");
    // Back at the factory rate, which the port options no longer say.
    EXPECT_NE(r.err.find("qxcfg: restore: module now answers at 9600 N-8-1, escape character 43 (--baud 9600 "),
              std::string::npos)
        << r.err;
}

TEST_F(QxcfgOnlineTest, ReadsAModuleInDataMode) {
    Start({"--online"});
    const auto r = Qxcfg({"read"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
}

TEST_F(QxcfgOnlineTest, ReceiveTestsStreamTheirFields) {
    Start();
    const auto ber = Qxcfg({"rxber", "--test", "1", "--seconds", "1"});
    ASSERT_EQ(ber.exitCode, 0) << ber.err;
    EXPECT_NE(ber.out.find("edit_TotTest="), std::string::npos);
    EXPECT_NE(ber.err.find("Receive Bit Error Rate Test"), std::string::npos);
    const auto rssi = Qxcfg({"rxber", "--test", "3", "--seconds", "1"});
    ASSERT_EQ(rssi.exitCode, 0) << rssi.err;
    EXPECT_NE(rssi.out.find("edit_Level="), std::string::npos);
    EXPECT_EQ(rssi.out.find("edit_Test="), std::string::npos);
    // The module is back in command mode afterwards.
    EXPECT_EQ(Qxcfg({"identify"}).exitCode, 0);
}

TEST_F(QxcfgOnlineTest, TransmitTestStartsAndStops) {
    Start();
    const auto start = Qxcfg({"txber", "start"});
    EXPECT_EQ(start.exitCode, 0) << start.err;
    EXPECT_EQ(start.err, "INFORMATION: Transmit Bit Error Rate Test started.\n");
    const auto stop = Qxcfg({"txber", "stop"});
    EXPECT_EQ(stop.exitCode, 0) << stop.err;
    // The module in its test answers no CR: that wake may be announced.
    EXPECT_EQ(std::regex_replace(stop.err, std::regex("waking the module \\(reply to CR\\): up to 3 s\n"), ""),
              "INFORMATION: Transmit Bit Error Rate Test stopped.\n");
}

TEST_F(QxcfgOnlineTest, SeveralPortsRunAtOnceWithOneLineEach) {
    Start();
    SimProcess second(dir_.File("second"), {}, dir_.File("stderr2"));
    ASSERT_FALSE(second.SlavePath().empty());
    const std::string file = MakeFile({"sreg_20=7"});
    const auto w = RunProgram("qxcfg", {"write", file, "--verify", "--port", Link(), "--port", dir_.File("second"),
                                        "--port", dir_.File("absent")});
    EXPECT_EQ(w.exitCode, 1);
    EXPECT_EQ(w.out, Link() + ": OK verified\n" + dir_.File("second") + ": OK verified\n" + dir_.File("absent") +
                         ": FAILED: " + dir_.File("absent") + "- This port may be already in use or not present. " +
                         "No such device: " + dir_.File("absent") + " (see: qxcfg ports)\n");
    // Each port's own messages reach standard error under its name.
    EXPECT_NE(w.err.find(dir_.File("absent") + ": ERROR: " + dir_.File("absent") + "- This port"), std::string::npos)
        << w.err;
    const auto r = RunProgram("qxcfg", {"read", "--port", Link(), "--port", dir_.File("second"), "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("{\"port\": \"" + dir_.File("second") + "\", \"result\": \"ok\", \"exit\": 0, \"text\": \"V1.95"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(RunProgram("qxcfg", {"read", "-o", "x.X7R", "--port", Link(), "--port", Link()}).exitCode, 2);
}

TEST_F(QxcfgOnlineTest, AMissingPortFailsWithTheOpeningText) {
    const auto r = RunProgram("qxcfg", {"read", "--port", dir_.File("nothing-here")});
    EXPECT_EQ(r.exitCode, 1);
    // Named as it was given, and what is wrong with it.
    EXPECT_NE(r.err.find("ERROR: " + dir_.File("nothing-here") + "- This port may be already in use or not present."),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("No such device: " + dir_.File("nothing-here") + " (see: qxcfg ports)"), std::string::npos);
}

}  // namespace
}  // namespace qx::simtest
