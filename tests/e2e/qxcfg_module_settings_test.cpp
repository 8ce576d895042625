// Settings read and changed straight on the module (get, set --port) and
// the ways to reach a module whose line or escape character was changed,
// with qxcfg and qxsim as processes on a real pseudo-terminal.

#include <sstream>

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
         {"\ns7: 5 -> 9\n", "\nserial.baud: 9600 -> 19200\n",
          "module now answers at 19200 N-8-1, escape character 43 (--baud 19200 --format N-8-1 --escape-char 43)"},
         {"--baud", "19200", "s7", "serial.baud", "Serial_Baud", "mode"},
         "9\n19200\n6\ntransparent\n"},
        // Changes in the words and units of `fields`, not the module's codes.
        {"user's words",
         {},
         {"serial.flow=cts-rts", "s1=500"},
         0,
         {"\nserial.flow: rs-485 -> cts-rts\n", "\ns1: 1000 ms -> 500 ms\n"},
         {"serial.flow", "s1"},
         "cts-rts\n500\n"},
        {"ignore-sreg",
         {"--fault", "ignore-sreg:7"},
         {"s7=9", "s8=3", "--json"},
         1,
         {R"j("result": "failed", "exit": 1, "error": "the module holds something else in 1 setting(s)")j",
          R"j("differences": [{"setting": "S7 Connection Attempts (ATS7=)", "wrote": "9", "module": "5"}])j",
          R"j("changed": [{"key": "s8", "before": 0, "after": 3}])j"},
         {"s7", "s8", "--json"},
         "\"result\": \"ok\", \"exit\": 0, \"s7\": 5, \"s8\": 3}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.simArgs);
        const auto set = Qxcfg("set", c.set);
        EXPECT_EQ(set.exitCode, c.exitCode) << set.err;
        for (const std::string& line : c.printed) EXPECT_NE(set.out.find(line), std::string::npos) << set.out;
        const auto get = Qxcfg("get", c.get);
        EXPECT_EQ(get.exitCode, 0) << get.err;
        EXPECT_TRUE(get.out.ends_with(c.got)) << get.out;
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
          {"set", "--port", "/nonexistent/tty", "s8=3", "-o", "/nonexistent/x.X7R"},
          {"set", "--port", "/nonexistent/tty", "s1=1010", "--strict"},
          {"set", "--port", "/nonexistent/tty", "s9=71"},
          {"--model", "QX5T", "set", "--port", "/nonexistent/tty", "s21=2"},
          {"read", "--port", "/nonexistent/tty", "-o", "-", "--json"},
          {"--yes", "--no", "restore", "--port", "/nonexistent/tty"},
          {"restore", "--port", "/nonexistent/tty", "--no", "--yes"},
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

// With --json every outcome is one object per port on standard output, of
// one shape for one port or several: what failed, what was declined, what
// was refused before any port was opened (global options may follow the
// command).
TEST_F(QxcfgModuleSettingsTest, JsonOnEveryOutcome) {
    const std::string file = dir_.File("f.X7R");
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", file}).exitCode, 0);
    const std::string absent = "/nonexistent/tty";
    const auto failedAt = [](const std::string& port) {
        return R"("result": "failed", "exit": 1, "error": ")" + port + "- This port may be";
    };
    const std::string failed = failedAt(absent);
    struct Case {
        std::vector<std::string> args;  // each followed by --json
        int exitCode;
        std::vector<std::string> lines;  // how each line starts, after {"port": "<port>",
    } cases[] = {
        {{"identify", "--port", absent}, 1, {failed}},
        {{"get", "--port", absent, "s7"}, 1, {failed}},
        {{"read", "--port", absent}, 1, {failed}},
        {{"read", "--port", absent, "--port", absent + "2"}, 1, {failed, failedAt(absent + "2")}},
        {{"find", "--port", absent}, 1, {failed}},
        {{"write", "--port", absent, file}, 1, {failed}},
        {{"set", "--port", absent, "s7=9"}, 1, {failed}},
        {{"restore", "--port", absent, "--yes"}, 1, {failed}},
        {{"--no", "restore", "--port", absent}, 3, {R"("result": "declined", "exit": 3})"}},
        {{"set", "--port", absent, "s9=71"}, 2, {R"("result": "failed", "exit": 2, "error": "s9 is reported)"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("--json");
        const auto r = RunProgram("qxcfg", args);
        EXPECT_EQ(r.exitCode, c.exitCode) << args[0] << ": " << r.err;
        std::istringstream out(r.out);
        std::size_t port = 0;
        for (std::string line; std::getline(out, line); ++port) {
            ASSERT_LT(port, c.lines.size()) << r.out;
            const std::string start = "{\"port\": \"" + absent + (port ? "2" : "") + "\", " + c.lines[port];
            EXPECT_EQ(line.rfind(start, 0), 0u) << line;
        }
        EXPECT_EQ(port, c.lines.size()) << r.out;
    }
    const auto diff = RunProgram("qxcfg", {"diff", file, "port:" + absent, "--json"});
    EXPECT_EQ(diff.out.rfind("{\"first\": \"" + file + "\", \"second\": \"port:" + absent + "\", " + failed, 0), 0u)
        << diff.out;
}

// What get prints, set takes back whole: in the module's mode only what the
// window lets the user set, what the module reports marked and skipped
// with a note, serial.format and its parts once. The copy then holds what
// the module holds.
TEST_F(QxcfgModuleSettingsTest, GetFeedsSet) {
    Start();
    for (const std::vector<std::string>& change :
         {std::vector<std::string>{"s7=9"},
          {"mode=single-connect", "dest2.address=5", "dest2.repeater1=4", "unit-address=7"}}) {
        SCOPED_TRACE(change.back());
        ASSERT_EQ(Qxcfg("set", change).exitCode, 0);
        const auto text = Qxcfg("get", {});
        ASSERT_EQ(text.exitCode, 0) << text.err;
        std::vector<std::string> assignments = {"set", dir_.File("text.X7R")};
        std::istringstream lines(text.out);
        for (std::string line; std::getline(lines, line);) assignments.push_back(line);
        const auto json = Qxcfg("get", {"--json"});
        const auto named = Qxcfg("get", {"serial.format", "serial.parity", "--json"});
        EXPECT_EQ(named.out.find("serial.parity"), std::string::npos) << named.out;
        for (const auto& [copy, from] : {std::pair<std::string, std::string>{"text.X7R", ""},
                                         {"json.X7R", json.out}, {"named.X7R", named.out}}) {
            ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", dir_.File(copy)}).exitCode, 0);
            const auto set = from.empty() ? RunProgram("qxcfg", assignments)
                                          : RunProgram("qxcfg", {"set", dir_.File(copy), "--from-json", "-"}, from);
            EXPECT_EQ(set.exitCode, 0) << copy << ": " << set.err;
            if (copy == "named.X7R") continue;
            if (from.empty()) {
                EXPECT_NE(set.err.find("note: s9 is what the module reports; not set"), std::string::npos);
            }
            const auto diff = RunProgram("qxcfg", {"diff", dir_.File(copy), "port:" + Link()});
            EXPECT_EQ(diff.exitCode, 0) << copy << ": " << diff.out << diff.err;
        }
    }
}

// With several ports each port's line carries what one port prints: the
// changes under its name, the settings read in its object.
TEST_F(QxcfgModuleSettingsTest, SeveralPortsCarryWhatOnePortWouldPrint) {
    Start();
    TempDir second;
    SimProcess sim2(second.File("module"), {}, second.File("stderr"));
    ASSERT_FALSE(sim2.SlavePath().empty());
    const std::vector<std::string> ports = {Link(), second.File("module")};
    const auto set = RunProgram("qxcfg", {"set", "--port", ports[0], "--port", ports[1], "s7=9", "s1=500"});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    for (const std::string& port : ports)
        EXPECT_NE(set.out.find(port + ": OK verified\n  s1: 1000 ms -> 500 ms\n  s7: 5 -> 9\n"), std::string::npos)
            << set.out;
    const auto read = RunProgram("qxcfg", {"read", "--port", ports[0], "--port", ports[1], "--json"});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    for (const std::string& port : ports)
        EXPECT_NE(read.out.find("{\"port\": \"" + port + R"(", "result": "ok", "exit": 0, "text": "V1.95  SIM", )" +
                                R"("model": "QX7T-R", "status": "V1.95  SIM", "mode": "transparent")"),
                  std::string::npos)
            << read.out;
    EXPECT_EQ(sim2.Stop(), 0);
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
    EXPECT_EQ(found.out, "{\"port\": \"" + Link() + "\", " +
                             R"("result": "ok", "exit": 0, "found": true, "tried": 1, "baud": 9600, "format": "N-8-1", )"
                             R"("escape-char": 35, "identification": "QX7T-R Radio Modem V1.95 SIM"})"
                             "\n");
    Start({"--state", StateFile(), "--online", "--guard", "300"});
    const auto id = Qxcfg("identify", {"--escape-char", "35", "--json"});
    ASSERT_EQ(id.exitCode, 0) << id.err;
    EXPECT_EQ(id.out, "{\"port\": \"" + Link() +
                          "\", \"result\": \"ok\", \"exit\": 0, \"identification\": \"QX7T-R Radio Modem V1.95 "
                          "SIM\", \"version\": \"1.95\"}\n");
    // A read wakes it the same way; without names every setting, by key.
    Start({"--state", StateFile(), "--online", "--guard", "300"});
    const auto all = Qxcfg("get", {"--escape-char", "35"});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.out.rfind("mode=transparent\nsystem-address=", 0), 0u) << all.out;
    EXPECT_NE(all.out.find("\ns2=35\n"), std::string::npos) << all.out;
}

}  // namespace
}  // namespace qx::simtest
