// Settings read and changed straight on the module (get, set --port) and
// the ways to reach a module whose line or escape character was changed,
// with qxcfg and qxsim as processes on a real pseudo-terminal.

#include "e2e/sim_fixture.h"
#include "support/run_process.h"

namespace qx::simtest {
namespace {

using test::RunProgram;

class QxcfgModuleSettingsTest : public SimTest {
protected:
    test::ProcessResult Qxcfg(const std::string& command, std::vector<std::string> args) {
        args.insert(args.begin(), {command, "--port", Link()});
        return RunProgram("qxcfg", args);
    }
};

struct ModuleSetCase {
    const char* name;
    std::vector<std::string> simArgs;
    std::vector<std::string> set;                // after "set --port LINK"
    int exitCode;
    std::vector<std::string> printed;            // lines set prints, each somewhere in its output
    std::vector<std::string> get;                // after "get --port LINK"
    std::string got;                             // what get prints
};

// Read, change as the user would, write, read back: what changed is
// printed, and a following get reads it from the module. A module that
// keeps a register's old value fails the read-back, and get shows the old value.
TEST_F(QxcfgModuleSettingsTest, SetChangesTheModuleAndGetReadsItBack) {
    const ModuleSetCase cases[] = {
        {"plain",
         {},
         {"s7=9", "serial.baud=19200"},
         0,
         {"S7 Connection Attempts (ATS7=): 5 -> 9", "Serial Baud Rate (ATC): 4 -> 6",
          "module now answers at 19200 N-8-1, escape character 43 (--baud 19200 --format N-8-1 --escape-char 43)"},
         {"--baud", "19200", "s7", "serial.baud", "Serial_Baud", "mode"},
         "9\n19200\n6\ntransparent\n"},
        {"ignore-sreg",
         {"--fault", "ignore-sreg:7"},
         {"s7=9", "s8=3", "--json"},
         1,
         {R"j("result": "failed", "exit": 1, "report": "the module holds something else in 1 setting(s)")j",
          R"j("differences": [{"setting": "S7 Connection Attempts (ATS7=)", "wrote": "9", "module": "5"}])j",
          R"j("changed": [{"setting": "S8 Test Timer (sec) (ATS8=)", "before": "0", "after": "3"}])j"},
         {"s7", "s8", "--json"},
         "{\"s7\": 5, \"s8\": 3}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.simArgs);
        const auto set = Qxcfg("set", c.set);
        EXPECT_EQ(set.exitCode, c.exitCode) << set.err;
        for (const std::string& line : c.printed) EXPECT_NE(set.out.find(line), std::string::npos) << set.out;
        const auto get = Qxcfg("get", c.get);
        EXPECT_EQ(get.exitCode, 0) << get.err;
        EXPECT_EQ(get.out, c.got);
    }
}

// Refused before the port is opened: nothing is written, nothing waits.
TEST_F(QxcfgModuleSettingsTest, BadArgumentsAreUsageErrors) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"set", "--port", "/nonexistent/tty", "no.such=1"},
          {"set", "--port", "/nonexistent/tty", "s7"},
          {"set", "--port", "/nonexistent/tty", "serial.baud=12345"},
          {"set", "--port", "/nonexistent/tty", "s7=abc"},
          {"set", "--port", "/nonexistent/tty", "serial.format=X-9-9"},
          {"set", "--port", "/nonexistent/tty", "mode=bogus"},
          {"set", "--port", "/nonexistent/tty", "s7=9", "-o", "-"},
          {"get", "--port", "/nonexistent/tty", "no.such"},
          {"get", "--port", "/a", "--port", "/b", "s7"},
          {"find", "--port", "/nonexistent/tty", "--escape-chars", "43,,35"},
          {"find", "--port", "/nonexistent/tty", "--escape-chars", "256"},
          {"identify", "--port", "/nonexistent/tty", "--escape-char", "0"}}) {
        const auto r = RunProgram("qxcfg", args);
        EXPECT_EQ(r.exitCode, 2) << args.back() << ": " << r.err;
        EXPECT_EQ(r.err.find("This port"), std::string::npos) << r.err;
    }
}

// A write to a rate the rules do not follow (Configure sends it only with
// the store): at 31250, which this computer's port can be set to, the write
// names the port options that reach the module there and --verify reads it
// back there; at 93750, which it cannot, the write says so.
TEST_F(QxcfgModuleSettingsTest, AWriteToARateTheRulesDoNotFollowSaysWhereTheModuleIs) {
    struct Case {
        const char* rate;
        std::vector<std::string> options;
        std::string out;
    };
    for (const Case& k :
         {Case{"31250", {"--verify"},
               "module now answers at 31250 N-8-1, escape character 43 (--baud 31250 --format N-8-1 --escape-char "
               "43)\nverified: the module holds the configuration written\n"},
          Case{"93750", {"--json"},
               "{\"port\": \"" + Link() + "\", \"result\": \"ok\", \"exit\": 0, \"text\": \"module now answers at "
               "93750 N-8-1, escape character 43 (a rate this computer's port cannot be set to)\", \"reached-at\": "
               "{\"baud\": 93750, \"format\": \"N-8-1\", \"escape-char\": 43}}\n"}}) {
        Start();
        const std::string file = dir_.File(std::string(k.rate) + ".X7R");
        ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", file}).exitCode, 0);
        ASSERT_EQ(RunProgram("qxcfg", {"set", file, std::string("serial.baud=") + k.rate}).exitCode, 0);
        std::vector<std::string> args = {file};
        args.insert(args.end(), k.options.begin(), k.options.end());
        const auto w = Qxcfg("write", args);
        EXPECT_EQ(w.exitCode, 0) << k.rate << ": " << w.err;
        EXPECT_EQ(w.out, k.out) << k.rate;
    }
}

// A module in data mode whose escape character is "#": find tries it after
// the factory "+" and says so; identify reaches it with --escape-char.
TEST_F(QxcfgModuleSettingsTest, AModuleWithAnotherEscapeCharacterIsFoundAndReached) {
    Start({"--state", StateFile()});
    ASSERT_EQ(Qxcfg("console", {"ATS2=35", "AT&W"}).exitCode, 0);
    Start({"--state", StateFile(), "--online", "--guard", "300"});
    const auto found = Qxcfg("find", {"--json"});
    ASSERT_EQ(found.exitCode, 0) << found.err;
    EXPECT_EQ(found.out, R"({"found": true, "tried": 1, "baud": 9600, "format": "N-8-1", "escape-char": 35, )"
                         R"("identification": "QX7T-R Radio Modem V1.95 SIM"})"
                         "\n");
    Start({"--state", StateFile(), "--online", "--guard", "300"});
    const auto id = Qxcfg("identify", {"--escape-char", "35", "--json"});
    ASSERT_EQ(id.exitCode, 0) << id.err;
    EXPECT_EQ(id.out, "{\"identification\": \"QX7T-R Radio Modem V1.95 SIM\", \"version\": \"1.95\"}\n");
    // A read wakes it the same way; without names every setting, by key.
    Start({"--state", StateFile(), "--online", "--guard", "300"});
    const auto all = Qxcfg("get", {"--escape-char", "35"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out.rfind("mode=transparent\nsystem-address=", 0), 0u) << all.out;
    EXPECT_NE(all.out.find("\ns2=35\n"), std::string::npos) << all.out;
}

}  // namespace
}  // namespace qx::simtest
