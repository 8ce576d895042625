// What qxcfg reports is what happened to the module: its exit code and
// notes against qxsim, for listings that raise only messages that do not
// stop a read, a listing cut at a read boundary, the two models, lines that
// drop, questions nobody can answer, a Ctrl-C before and after the point of
// no return, and a receive test whose port vanishes.

#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <regex>

#include "e2e/sim_fixture.h"
#include "support/field_lines.h"
#include "support/run_process.h"

namespace qx::simtest {
namespace {

using test::RunProgram;

// "{link}" is the simulator's link, "{dir}" the test's folder.
std::vector<std::string> Expand(std::vector<std::string> args, const std::string& link, const std::string& dir) {
    for (std::string& a : args) {
        for (const auto& [key, value] : {std::pair<std::string, std::string>{"{link}", link}, {"{dir}", dir}}) {
            if (const auto at = a.find(key); at != std::string::npos) a.replace(at, key.size(), value);
        }
    }
    return args;
}

class QxcfgOutcome : public SimTest {
protected:
    // The module's active settings changed by hand first.
    void Setup(const std::vector<std::string>& commands) {
        if (commands.empty()) return;
        std::vector<std::string> args{"console", "--port", Link()};
        args.insert(args.end(), commands.begin(), commands.end());
        const auto r = RunProgram("qxcfg", args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
    }
    std::string Dir() const { return dir_.File(""); }
};

struct OutcomeCase {
    const char* name;
    std::vector<std::string> simArgs;
    std::vector<std::string> setup;  // console commands before
    std::vector<std::string> args;
    int exitCode;
    std::vector<std::string> err;  // each printed on standard error
    std::vector<std::string> out;  // each printed on standard output
};

TEST_F(QxcfgOutcome, ExitCodeAndOutputFollowWhatHappened) {
    const std::string flowControl =
        "ERROR: The saved configuration or module has a value of &K2 for flow control.\n  This value is not yet "
        "supported and has been changed to &K3 (CTS/RTS). The module MUST be reprogrammed for the change to take "
        "effect.\n";
    const std::string noResponse = "ERROR: Error communicating with QX7T-R. The module did not respond correctly.\n";
    const OutcomeCase cases[] = {
        // Messages that do not stop the parse: fields printed, file written.
        {"FlowControl", {}, {"AT&K2"}, {"read", "--port", "{link}", "-o", "{dir}k2.X7R"}, 0, {flowControl},
         {"Serial_Flow=1\n", "StatusLine=  V1.95  SIM\n"}},
        // (A basic module refuses fast mode: the main one shows it to the basic program.)
        {"FastModeForTheBasicModel", {}, {"AT&M3"}, {"--model", "QX5T", "read", "--port", "{link}"}, 0,
         {"ERROR: Fast Controlled Mode operation has been detected."}, {"OperatingMode=1\n"}},
        // A listing whose "&Z3=" entry a 255-byte read cuts.
        {"RouteCutInsideItsList", {"--fault", "listing-cut:8"}, {"AT&Z3=27,127,1,179"},
         {"read", "--port", "{link}"}, 0, {},
         {"Z3_Rpt1=27\n", "Z3_Rpt2=127\n", "Z3_Rpt3=1\n", "Z3_Rpt4=0\n", "Z3_Dest=179\n"}},
        {"RouteCutAfterAComma", {"--fault", "listing-cut:14"}, {"AT&Z3=127,124,1,179"},
         {"read", "--port", "{link}"}, 0, {}, {"Z3_Rpt3=1\n", "Z3_Dest=179\n"}},
        // Each model identifies at its own name; the other model is named once.
        {"BasicModel", {"--model", "QX5T"}, {}, {"--model", "QX5T", "identify", "--port", "{link}"}, 0, {},
         {"identification=QX5T Radio Modem V1.95 SIM\nversion=1.95\n"}},
        {"OtherModel", {"--model", "QX5T"}, {}, {"read", "--port", "{link}"}, 0,
         {"WARNING: The module identifies itself as QX5T, not as QX7T-R.\n"}, {"StatusLine=  V1.95  SIM\n"}},
        // A line that drops where no reply is judged is still a failure.
        {"LineDropsAfterResponseCodesGoOff", {"--fault", "hangup-after:ATQ1"}, {},
         {"write", "--port", "{link}", "{dir}quiet.X7R"}, 1, {noResponse}, {}},
        {"LineDropsBeforeTheClosingWake", {"--fault", "hangup-after:AT&M"}, {},
         {"write", "--port", "{link}", "{dir}quiet.X7R"}, 1,
         {"ERROR: Error communicating with QX7T-R. Unable to wake modem.\n"}, {}},
        // The reply to ATS0? and the hang-up race: either command is named.
        {"ConsoleNamesTheCommandWhosePortFailed", {"--fault", "hangup-after:ATS0?"}, {},
         {"console", "--port", "{link}", "ATS0?", "ATI"}, 1, {"ERROR: ATS0?: the port failed"},
         {"> ATS0?\n"}},
        // Nobody to ask: the destructive question is not answered Yes.
        {"RestoreWithoutATerminal", {}, {}, {"restore", "--port", "{dir}absent"}, 3,
         {" -> No\n", "give --yes"}, {}},
    };
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", Dir() + "plain.X7R", "--sysaddr", "5"}).exitCode, 0);
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", Dir() + "quiet.X7R", "--sysaddr", "5"}).exitCode, 0);
    ASSERT_EQ(RunProgram("qxcfg", {"set", Dir() + "quiet.X7R", "Adv_Resp=1"}).exitCode, 0);
    for (const OutcomeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.simArgs);
        Setup(c.setup);
        const auto r = RunProgram("qxcfg", Expand(c.args, Link(), Dir()));
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        for (const auto& text : c.err) EXPECT_NE(r.err.find(text), std::string::npos) << text << " in\n" << r.err;
        for (const auto& text : c.out) EXPECT_NE(r.out.find(text), std::string::npos) << text << " in\n" << r.out;
    }
    EXPECT_TRUE(std::filesystem::exists(Dir() + "k2.X7R"));
    // The other model is warned of once, though both sides identified it.
    Start({"--model", "QX5T"});
    const auto twice = RunProgram("qxcfg", {"diff", "port:" + Link(), "port:" + Link()});
    EXPECT_EQ(twice.exitCode, 0) << twice.err;
    EXPECT_NE(twice.err.find("WARNING"), std::string::npos) << twice.err;
    EXPECT_EQ(twice.err.find("WARNING"), twice.err.rfind("WARNING")) << twice.err;
}

// At a terminal the question is put to the user; their No (or a bare
// Enter) ends the command before the port is opened, their Yes goes on to it.
TEST(QxcfgQuestions, AreAskedAtATerminal) {
    TempDir dir;
    const std::vector<std::string> args{"restore", "--port", dir.File("absent")};
    const auto no = test::RunProgramOnTerminal("qxcfg", args, "n\n");
    EXPECT_EQ(no.exitCode, 3) << no.err;
    EXPECT_NE(no.err.find("Continue? [y/N] "), std::string::npos) << no.err;
    // A bare Enter takes no destructive action.
    const auto enter = test::RunProgramOnTerminal("qxcfg", args, "\n");
    EXPECT_EQ(enter.exitCode, 3) << enter.err;
    const auto yes = test::RunProgramOnTerminal("qxcfg", args, "y\n");
    EXPECT_EQ(yes.exitCode, 1) << yes.err;
    EXPECT_NE(yes.err.find("absent- This port may be already in use or not present."), std::string::npos) << yes.err;
}

// Ctrl-C once the simulator has received the command named: the reply to it
// comes 1.5 s late, so the cancel arrives while that exchange runs.
struct CancelCase {
    const char* name;
    std::string lateCommand;
    std::vector<std::string> args;
    int exitCode;
    bool note;    // "the cancel came too late"
    bool stored;  // the module's state file was written
};

TEST_F(QxcfgOutcome, CtrlCStopsOnlyWhatItCanStillStop) {
    const CancelCase cases[] = {
        {"DuringTheList", "AT&E", {"write", "--port", "{link}", "{dir}plain.X7R"}, 130, false, false},
        {"DuringTheStore", "AT&W", {"write", "--port", "{link}", "{dir}plain.X7R"}, 0, true, true},
        {"DuringTheListing", "AT&V", {"read", "--port", "{link}"}, 0, true, false},
        {"DuringTheReadOfASet", "AT&V", {"set", "--port", "{link}", "s7=9"}, 130, true, false},
    };
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", Dir() + "plain.X7R", "--sysaddr", "5"}).exitCode, 0);
    for (const CancelCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(StateFile());
        Start({"--verbose", "--state", StateFile(), "--fault", "slow:1500:" + c.lateCommand});
        bool signalled = false;
        const auto r = test::RunProgramWatched("qxcfg", Expand(c.args, Link(), Dir()), [&](pid_t pid, const auto&) {
            if (signalled || StderrText().find("qxsim: rx " + c.lateCommand) == std::string::npos) return;
            signalled = true;
            ::kill(pid, SIGINT);
        });
        EXPECT_TRUE(signalled);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_EQ(r.err.find("the cancel came too late") != std::string::npos, c.note) << r.err;
        EXPECT_EQ(std::filesystem::exists(StateFile()), c.stored);
        if (c.args[0] == "read") {
            EXPECT_NE(r.out.find("StatusLine="), std::string::npos) << r.out;
        }
    }
}

// The adapter is pulled while an RSSI measurement runs: the test ends with
// the Stop button's report, once, instead of polling a dead port.
TEST_F(QxcfgOutcome, AReceiveTestWhosePortVanishesEndsWithItsReport) {
    Start();
    bool vanished = false;
    const auto start = std::chrono::steady_clock::now();
    auto vanishedAt = start;
    const auto r = test::RunProgramWatched("qxcfg", {"rxber", "--port", Link(), "--test", "3"},
                                           [&](pid_t, const test::ProcessResult& soFar) {
                                               if (vanished || soFar.out.find("dBm\n") == std::string::npos) return;
                                               vanished = true;
                                               vanishedAt = std::chrono::steady_clock::now();
                                               // As an adapter pulled: the device goes, the line is dead.
                                               ::unlink(Link().c_str());
                                               sim_->Kill();
                                           });
    sim_.reset();
    ASSERT_TRUE(vanished) << r.err;
    EXPECT_EQ(r.exitCode, 1) << r.err;
    // Within one read of the poll (0.8 s), with room for a loaded machine.
    EXPECT_LT(std::chrono::steady_clock::now() - vanishedAt, std::chrono::seconds(10));
    const std::string report =
        "ERROR: Error communicating with module. The module did not respond correctly.\n  Ensure COM port settings "
        "are correct, and module is Switched On. (Hint: Set Switch 2 on module to restore factory defaults.\n";
    const auto at = r.err.find(report);
    EXPECT_NE(at, std::string::npos) << r.err;
    EXPECT_EQ(at, r.err.rfind(report)) << r.err;
    // Every level as the module sent it, the first one too.
    const std::regex level("edit_Level=RSSI -?[0-9]+ dBm");
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) EXPECT_TRUE(std::regex_match(line, level)) << line;
}

// --json: one object per received line, with the time it was shown.
TEST_F(QxcfgOutcome, ReceiveTestAsJsonLines) {
    Start();
    const auto r = RunProgram("qxcfg", {"rxber", "--port", Link(), "--test", "1", "--seconds", "1", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::regex object(
        R"(\{"time": "\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z", "edit_Test": "\d+", "edit_Error": "\d+", )"
        R"("edit_Extra": "x", "edit_Level": "-?\d+", "edit_TotErr": "\d+", "edit_TotMiss": "\d+", )"
        R"("edit_TotTest": "\d+ kbit"\})");
    // The last line says how the test ended, as every command's --json does.
    const std::string end = "{\"port\": \"" + Link() + "\", \"result\": \"ok\", \"exit\": 0}\n";
    ASSERT_TRUE(r.out.ends_with(end)) << r.out;
    std::istringstream lines(r.out.substr(0, r.out.size() - end.size()));
    int objects = 0;
    for (std::string line; std::getline(lines, line); ++objects) EXPECT_TRUE(std::regex_match(line, object)) << line;
    EXPECT_GE(objects, 2);
}

}  // namespace
}  // namespace qx::simtest
