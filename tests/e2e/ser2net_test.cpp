// qxcfg through Debian's ser2net in front of qxsim: the module commands over
// RFC 2217 and over a plain TCP port, a rate change that must reach the
// simulator through the server, a server that dies during a read, and the
// opening errors of network ports.

#include <sys/socket.h>

#include <chrono>
#include <future>
#include <thread>

#include "e2e/ser2net_server.h"
#include "e2e/sim_fixture.h"
#include "serial/network_serial_device.h"
#include "app/unique_fd.h"
#include "support/run_process.h"

namespace qx::nettest {
namespace {

using test::ProcessResult;
using test::RunProgram;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

class Ser2NetTest : public simtest::ServedSimTest<Ser2NetServer> {
protected:
    // qxsim (with `simArgs`) behind a fresh ser2net.
    void Serve(Accepter accepter = Accepter::Rfc2217, std::vector<std::string> simArgs = {}) {
        server_.reset();
        simArgs.push_back("--verbose");
        Start(simArgs);
        server_ = std::make_unique<Ser2NetServer>(Link(), dir_.File("."), accepter);
    }
    ProcessResult Qxcfg(std::vector<std::string> args) {
        args.insert(args.begin() + 1, {"--port", server_->Url()});
        return RunProgram("qxcfg", args);
    }
};

struct CommandCase {
    const char* name;
    Accepter accepter;
    std::vector<std::string> args;
    std::string printed;  // a text the command prints on success
};

TEST_F(Ser2NetTest, ModuleCommandsThroughTheServer) {
    const std::vector<CommandCase> cases = {
        {"identify over RFC 2217", Accepter::Rfc2217, {"identify"}, "identification=QX7T-R Radio Modem V1.95"},
        {"read over RFC 2217", Accepter::Rfc2217, {"read"}, "StatusLine=  V1.95"},
        {"RSSI test over RFC 2217", Accepter::Rfc2217, {"rxber", "--test", "3", "--seconds", "1"}, "edit_Level=RSSI"},
        {"identify over plain TCP", Accepter::RawTcp, {"identify"}, "identification=QX7T-R Radio Modem V1.95"},
        {"read over plain TCP", Accepter::RawTcp, {"read"}, "StatusLine=  V1.95"},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        Serve(c.accepter);
        const ProcessResult r = Qxcfg(c.args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.out.find(c.printed), std::string::npos) << r.out;
    }
}

// The module moves to 19200 bit/s during the write; the host follows it
// through the server, and the verifying read at the new rate is understood
// only when the server's port (the simulator's line) runs at 19200 too.
TEST_F(Ser2NetTest, VerifiedWriteFollowsTheModuleToANewRate) {
    Serve();
    const std::string file = dir_.File("fast.X7R");
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", file, "--sysaddr", "12"}).exitCode, 0);
    ASSERT_EQ(RunProgram("qxcfg", {"set", file, "Serial_Baud=6"}).exitCode, 0);
    const ProcessResult w = Qxcfg({"write", file, "--verify"});
    ASSERT_EQ(w.exitCode, 0) << w.err;
    EXPECT_NE(w.out.find("verified"), std::string::npos) << w.out;
    const ProcessResult r = Qxcfg({"identify", "--baud", "19200"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

// A server that goes away in the middle of the listing: the read fails
// with a report, within the reply waits' bounds (a long reply waits at
// most 8.65 s), and qxcfg does not hang.
TEST_F(Ser2NetTest, ServerKilledDuringAReadEndsTheRead) {
    Serve(Accepter::Rfc2217, {"--fault", "slow:2000"});
    const auto start = Clock::now();
    auto read = std::async(std::launch::async, [this] { return Qxcfg({"read"}); });
    const auto until = Clock::now() + 30s;
    while (StderrText().find("AT&V") == std::string::npos && Clock::now() < until) std::this_thread::sleep_for(5ms);
    ASSERT_NE(StderrText().find("AT&V"), std::string::npos) << "the read never asked for the listing";
    server_->Kill();
    ASSERT_EQ(read.wait_for(60s), std::future_status::ready) << "qxcfg hangs after the server died";
    const ProcessResult r = read.get();
    EXPECT_EQ(r.exitCode, 1);
    // The module's report, as when a local port vanishes mid-read.
    EXPECT_NE(r.err.find("ERROR: Error communicating with QX7T-R."), std::string::npos) << r.err;
    EXPECT_LT(Clock::now() - start, 45s);
}

// A server that takes the connection and agrees to the port option, then
// never answers a line setting.
class MuteServer {
public:
    MuteServer() : port_(FreeLocalPort()), listener_(ListenOnLoopback(port_)) {
        thread_ = std::jthread([this] {
            UniqueFd client(::accept(listener_.Get(), nullptr, nullptr));
            const char agree[] = {'\xff', '\xfd', 44};
            (void)!::send(client.Get(), agree, sizeof agree, MSG_NOSIGNAL);
            char sink[256];
            while (::recv(client.Get(), sink, sizeof sink, 0) > 0) {
            }
        });
    }
    ~MuteServer() { ::shutdown(listener_.Get(), SHUT_RDWR); }
    int Port() const { return port_; }

private:
    int port_;
    UniqueFd listener_;
    std::jthread thread_;
};

struct OpenErrorCase {
    const char* name;
    std::vector<std::string> portArgs;  // {PORT} stands for the case's port number
    std::string firstLine;
    std::string secondLine;
    std::string announced = {};  // a long wait's line before them (standard error is a pipe)
};

TEST_F(Ser2NetTest, NetworkPortsThatCannotBeOpened) {
    Serve();
    const std::string busy = server_->Url();
    const int refused = FreeLocalPort();
    MuteServer mute;
    const std::string inUse = "- This port may be already in use or not present.\n  ";
    auto port = [](int p) { return "127.0.0.1:" + std::to_string(p); };
    const std::vector<OpenErrorCase> cases = {
        {"nothing listens", {"--port", "rfc2217://" + port(refused)}, "rfc2217://" + port(refused) + inUse,
         "Connection refused by " + port(refused) + ": is the port server running, and is this its port?"},
        {"a com slot stands for it", {"--com", "3=socket://" + port(refused), "--port", "COM3"}, "COM3" + inUse,
         "Connection refused by " + port(refused)},
        {"the server's port has a client", {"--port", busy}, busy + inUse,
         "In use by another client of the port server at " + port(server_->Port()) +
             " (it said: Port already in use)."},
        {"settings never acknowledged", {"--port", "rfc2217://" + port(mute.Port())},
         "rfc2217://" + port(mute.Port()) + inUse,
         "No answer from " + port(mute.Port()) + " within 5 s (the line settings were not acknowledged).",
         "connecting to rfc2217://" + port(mute.Port()) + ": up to 10 s (5 s to connect, 5 s for the option)\n"},
        {"unknown host", {"--port", "rfc2217://no-such-host.invalid:7777"},
         "rfc2217://no-such-host.invalid:7777" + inUse, "Host unknown: no-such-host.invalid"},
    };
    // The first client of the served port, held for the whole test.
    NetworkSerialDevice holder;
    ASSERT_EQ(holder.Open(busy, LineSettings{9600, 8, Parity::None, StopBits::One}), OpenStatus::Opened);
    for (const OpenErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args{"identify"};
        args.insert(args.end(), c.portArgs.begin(), c.portArgs.end());
        const auto start = Clock::now();
        const ProcessResult r = RunProgram("qxcfg", args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(c.announced + "ERROR: " + c.firstLine + c.secondLine), std::string::npos) << r.err;
        EXPECT_LT(Clock::now() - start, 15s);  // bounded: 5 s for the connection, 5 s for an answer
    }
}

TEST(QxcfgPortNames, MalformedPortsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"--port", "COM9"},         {"--port", "com0"},         {"--port", "COM12"},
        {"--port", "rfc2217://x"},  {"--port", "socket://h:0"}, {"--com", "2=rfc2217://[::1]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[1]);
        std::vector<std::string> args{"identify"};
        args.insert(args.end(), c.begin(), c.end());
        const ProcessResult r = RunProgram("qxcfg", args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find("'" + c[1].substr(c[0] == "--com" ? 2 : 0) + "'"), std::string::npos) << r.err;
    }
}

TEST(QxcfgPortNames, PortsListsTheSlotsOnTheNetwork) {
    const ProcessResult r = RunProgram(
        "qxcfg", {"ports", "--sysfs", "/nonexistent", "--com", "2=rfc2217://10.0.0.5:7777", "--com", "5=socket://[::1]:2001"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "rfc2217://10.0.0.5:7777  COM2\nsocket://[::1]:2001  COM5\n");
}

}  // namespace
}  // namespace qx::nettest
