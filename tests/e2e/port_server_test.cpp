// qxcfg through port servers other than ser2net (pyserial's example RFC 2217
// server, socat), and through servers that cannot follow the module or
// misbehave: each run ends within its bounds with its own report, and the
// module answers where it did before (or the report says where it answers).

#include <csignal>

#include <chrono>

#include "e2e/port_server_process.h"
#include "e2e/sim_fixture.h"
#include "support/run_process.h"

namespace qx::nettest {
namespace {

using test::ProcessResult;
using test::RunProgram;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

class PortServerTest : public simtest::ServedSimTest<PortServerProcess> {
protected:
    void Serve(ServerKind kind) {
        server_.reset();
        Start({"--verbose"});
        server_ = std::make_unique<PortServerProcess>(kind, Link(), dir_.File("."));
    }
    // A configuration file; `baud` its Serial_Baud choice (4 is 9600, 6 is 19200).
    std::string File(int baud) {
        const std::string file = dir_.File("b" + std::to_string(baud) + ".X7R");
        EXPECT_EQ(RunProgram("qxcfg", {"new", "-o", file, "--sysaddr", "12"}).exitCode, 0);
        EXPECT_EQ(RunProgram("qxcfg", {"set", file, "Serial_Baud=" + std::to_string(baud)}).exitCode, 0);
        return file;
    }
    // `args` with {url} and {file:N} filled in.
    std::vector<std::string> Expand(std::vector<std::string> args, const std::string& url) {
        for (std::string& a : args) {
            if (a == "{url}") a = url;
            if (a.starts_with("{file:")) a = File(std::stoi(a.substr(6)));
        }
        return args;
    }
};

struct ServerCase {
    const char* name;
    ServerKind kind;
    const char* scheme;
    std::vector<std::string> args;  // after "qxcfg"; {url} is the server's address
    int exitCode;
    std::string printed;  // on standard output (success) or standard error
    int moduleBaud = 9600;  // where the module answers afterwards
};

TEST_F(PortServerTest, ModuleCommandsAndServersThatCannotFollow) {
    const std::vector<ServerCase> cases = {
        {"pyserial: identify", ServerKind::Pyserial, "rfc2217", {"identify", "--port", "{url}"}, 0,
         "identification=QX7T-R Radio Modem V1.95"},
        {"pyserial: a verified write to 19200", ServerKind::Pyserial, "rfc2217",
         {"write", "--port", "{url}", "{file:6}", "--verify"}, 0, "verified", 19200},
        {"socat: read", ServerKind::Socat, "socket", {"read", "--port", "{url}"}, 0, "StatusLine=  V1.95"},
        {"keeps its rate: opened at another", ServerKind::KeepsRate, "rfc2217",
         {"identify", "--port", "{url}", "--baud", "19200"}, 1,
         "kept 9600 when asked for 19200: its port cannot be set so."},
        {"keeps its rate: a write that moves the module", ServerKind::KeepsRate, "rfc2217",
         {"write", "--port", "{url}", "{file:6}"}, 1,
         "ERROR: The port server kept 9600 when asked for 19200; after this write the module would answer where "
         "this connection cannot reach."},
        {"fixed line settings: a write that moves the module", ServerKind::Socat, "socket",
         {"write", "--port", "{url}", "{file:6}"}, 3,
         "the module will then answer at 19200 N-8-1, which this connection cannot reach. Continue? -> No"},
        {"fixed line settings: moved all the same", ServerKind::Socat, "socket",
         {"--yes", "write", "--port", "{url}", "{file:6}"}, 0,
         "module now answers at 19200 N-8-1, escape character 43 (which this connection cannot reach", 19200},
        {"one connection only", ServerKind::SocatOneShot, "socket", {"write", "--port", "{url}", "{file:4}", "--verify"},
         1,
         "the configuration was written to the module and stored; only reading it back failed (the port could not be "
         "opened again). Check it later with: qxcfg read --port socket://"},
        {"a flood before the option", ServerKind::Flood, "rfc2217", {"identify", "--port", "{url}"}, 1,
         "(more than 64 KiB came before the RFC 2217 option was agreed)."},
        {"in use, over a plain socket", ServerKind::InUse, "socket", {"identify", "--port", "{url}"}, 1,
         "(it said: Port already in use)."},
        {"closes at once, over a plain socket", ServerKind::Closes, "socket", {"identify", "--port", "{url}"}, 1,
         "(the server closed the connection)."},
        {"streams without end, over a plain socket", ServerKind::Streams, "socket", {"read", "--port", "{url}"}, 1,
         "Error communicating with QX7T-R."},
        {"streams after the purge", ServerKind::StreamsAfterPurge, "rfc2217", {"identify", "--port", "{url}"}, 1,
         "Error communicating with QX7T-R."},
        {"says nothing, RFC 2217", ServerKind::Mute, "rfc2217", {"identify", "--port", "{url}"}, 1,
         "within 5 s (no answer to the RFC 2217 option)."},
    };
    for (const ServerCase& c : cases) {
        SCOPED_TRACE(c.name);
        Serve(c.kind);
        const auto start = Clock::now();
        const ProcessResult r = RunProgram("qxcfg", Expand(c.args, server_->Url(c.scheme)));
        // The longest bound of any of them: 5 s to connect, 5 s for the
        // option, then the module's own reply waits.
        EXPECT_LT(Clock::now() - start, 40s);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_NE((c.exitCode == 0 ? r.out : r.err).find(c.printed), std::string::npos) << r.out << r.err;
        server_.reset();
        const ProcessResult after =
            RunProgram("qxcfg", {"identify", "--port", Link(), "--baud", std::to_string(c.moduleBaud)});
        EXPECT_EQ(after.exitCode, 0) << "the module does not answer at " << c.moduleBaud << ": " << after.err;
    }
}

// Ctrl-C while a port server keeps the option unanswered: the run ends
// within about a second, cancelled.
TEST_F(PortServerTest, CtrlCEndsAConnectionUnderWay) {
    Serve(ServerKind::Mute);
    auto signalled = Clock::time_point::max();
    const ProcessResult r = test::RunProgramWatched(
        "qxcfg", {"read", "--port", server_->Url("rfc2217")}, [&](pid_t pid, const ProcessResult& soFar) {
            if (signalled != Clock::time_point::max() || soFar.err.find("connecting to") == std::string::npos) return;
            signalled = Clock::now();
            ::kill(pid, SIGINT);
        });
    ASSERT_NE(signalled, Clock::time_point::max()) << r.err;
    EXPECT_EQ(r.exitCode, 130) << r.err;
    EXPECT_LT(Clock::now() - signalled, 3s);
}

TEST(QxcfgSocketPorts, LineSettingsAreTheServersOwn) {
    const std::string url = "socket://127.0.0.1:1";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"identify", "--port", url, "--baud", "19200"}, "--baud cannot be used with " + url},
        {{"read", "--format", "E-8-1", "--port", url}, "--format cannot be used with " + url},
        {{"find", "--port", url}, "find cannot search " + url},
    };
    for (const auto& [args, text] : cases) {
        SCOPED_TRACE(args[0]);
        const ProcessResult r = RunProgram("qxcfg", args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find(text), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace qx::nettest
