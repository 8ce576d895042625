// The other ways a qxcfg run ends: a reader that goes away, standard output
// on a full disk or closed, a hang-up, SIGTERM, and Ctrl-C in a wake. Each
// ends with a code of the exit table, and the module answers at what it
// stores.

#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e/sim_fixture.h"
#include "support/run_process.h"

namespace qx::simtest {
namespace {

using test::BinPath;
using test::ProcessResult;
using test::RunProgram;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

class QxcfgRunEnd : public SimTest {
protected:
    // A file that moves the module to 19200 bit/s.
    std::string FastFile() {
        const std::string file = dir_.File("fast.X7R");
        EXPECT_EQ(RunProgram("qxcfg", {"new", "-o", file, "--sysaddr", "12"}).exitCode, 0);
        EXPECT_EQ(RunProgram("qxcfg", {"set", file, "Serial_Baud=6"}).exitCode, 0);
        return file;
    }
    // `script` in bash, with $Q as qxcfg, $P as the module's port and $F as
    // FastFile(); its exit code and standard error.
    ProcessResult Shell(const std::string& script) {
        const std::string err = dir_.File("shell.err");
        const std::string line = "Q='" + BinPath("qxcfg") + "' P='" + Link() + "' F='" + FastFile() +
                                 "' bash -c '" + script + "' 2>'" + err + "'";
        const int status = std::system(line.c_str());
        std::ifstream in(err);
        std::ostringstream text;
        text << in.rdbuf();
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", text.str()};
    }
};

struct OutputCase {
    const char* name;
    std::string script;
    std::string said;  // on standard error
};

// A script that keeps what qxcfg printed never gets a cut file and a success.
TEST_F(QxcfgRunEnd, StandardOutputThatCannotBeWrittenIsAnError) {
    const std::string full = "ERROR: Cannot write to standard output: No space left on device";
    const std::vector<OutputCase> cases = {
        {"show", "$Q show >/dev/full", full},
        {"fields", "$Q fields --json >/dev/full", full},
        {"get", "$Q get --port $P --json >/dev/full", full},
        {"closed", "$Q show >&-", "ERROR: Cannot write to standard output: Bad file descriptor"},
        {"a write that moved the module", "$Q write --port $P $F >/dev/full",
         full + "\n  The module was changed all the same: module now answers at 19200 N-8-1, escape character 43 "
                "(--baud 19200 --format N-8-1 --escape-char 43).\n"},
        // The reader goes away in the middle: the write runs to its end all
        // the same (never 141), and the module answers where it stores.
        {"a closed pipe", "$Q write --port $P $F --verbose 2>&1 | head -n 3 >/dev/null; exit ${PIPESTATUS[0]}", ""},
    };
    for (const OutputCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(StateFile());
        Start({"--state", StateFile()});
        const ProcessResult r = Shell(c.script);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    }
    // The last write stored what the module runs at: restarted, it answers there.
    Start({"--state", StateFile()});
    EXPECT_EQ(RunProgram("qxcfg", {"identify", "--port", Link(), "--baud", "19200"}).exitCode, 0);
}

struct SignalCase {
    std::vector<std::string> args;
    int signal;
};

// A module that never answers: the wake would take some 20 s; Ctrl-C, a
// hang-up or SIGTERM ends it within about a second, cancelled.
TEST_F(QxcfgRunEnd, StopSignalsEndAWakeAt130) {
    Start({"--fault", "silent"});
    const std::vector<SignalCase> cases = {
        {{"identify"}, SIGINT},
        {{"console", "--wake"}, SIGHUP},
        {{"txber", "start"}, SIGTERM},
        {{"rxber", "--test", "2"}, SIGINT},
    };
    for (const SignalCase& c : cases) {
        SCOPED_TRACE(c.args[0]);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--port", Link()});
        auto signalled = Clock::time_point::max();
        const ProcessResult r = test::RunProgramWatched("qxcfg", args, [&](pid_t pid, const ProcessResult& soFar) {
            if (signalled != Clock::time_point::max() || soFar.err.find("reply to +++") == std::string::npos) return;
            signalled = Clock::now();
            ::kill(pid, c.signal);
        });
        ASSERT_NE(signalled, Clock::time_point::max()) << r.err;
        EXPECT_EQ(r.exitCode, 130) << r.err;
        EXPECT_LT(Clock::now() - signalled, 5s);
    }
}

// A hang-up while a receive test runs: the test is stopped on the module
// (ATZ) before the program ends, as Ctrl-C stops it.
TEST_F(QxcfgRunEnd, AHangUpStopsAReceiveTestOnTheModule) {
    Start({"--verbose"});
    bool signalled = false;
    const ProcessResult r = test::RunProgramWatched("qxcfg", {"rxber", "--port", Link(), "--test", "2"},
                                                    [&](pid_t pid, const ProcessResult& soFar) {
                                                        if (signalled || soFar.out.find("edit_") == std::string::npos)
                                                            return;
                                                        signalled = true;
                                                        ::kill(pid, SIGHUP);
                                                    });
    ASSERT_TRUE(signalled) << r.err;
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(StderrText().find("qxsim: rx ATZ"), std::string::npos) << StderrText();
}

}  // namespace
}  // namespace qx::simtest
