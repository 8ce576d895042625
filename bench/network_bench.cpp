// Read and Configure at 9600 bit/s through port servers on localhost
// (Debian's ser2net over RFC 2217 and a plain TCP port, pyserial's example
// RFC 2217 server, socat) against the same on the simulator's
// pseudo-terminal directly: the median wall time of a few runs each and
// the ratio of network to local. Each run is a command's whole use of the
// port, its close included, as qxcfg makes it (its closed connections
// handed to a ClosingConnections of its own); the runs are spaced so that
// a server has freed its port before the next. Prints figures only.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include "operations/workspace.h"
#include "bench_support.h"
#include "e2e/port_server_process.h"
#include "e2e/ser2net_server.h"
#include "e2e/sim_harness.h"
#include "serial/comqx7_object.h"

namespace qx::bench {
namespace {

using nettest::Accepter;
using nettest::Ser2NetServer;

constexpr int kRuns = 3;

enum class Path { PseudoTerminal, Rfc2217, RawTcp, Pyserial, Socat };

const char* NameOf(Path path) {
    switch (path) {
        case Path::PseudoTerminal: return "pseudo-terminal";
        case Path::Rfc2217: return "rfc2217://";
        case Path::RawTcp: return "socket://";
        case Path::Pyserial: return "pyserial rfc2217";
        case Path::Socat: return "socat socket://";
    }
    return "";
}

// One simulated module, reached directly or through its own ser2net.
struct Rig {
    explicit Rig(Path path)
        : sim(dir.File("module"), {}, dir.File("module.err")),
          workspace(ModelVariant::Main(), prompter, FixedSystemAddress(17)) {
        workspace.StartUp();
        // The module keeps the rate it runs at: no rate change in Configure.
        workspace.config.SetChoice(FieldId::Serial_Baud, HostBaudIndex(9600) + 1);
        std::string port = dir.File("module");
        if (path == Path::Rfc2217 || path == Path::RawTcp) {
            server = std::make_unique<Ser2NetServer>(port, dir.File("."),
                                                     path == Path::Rfc2217 ? Accepter::Rfc2217 : Accepter::RawTcp);
            port = server->Url();
        } else if (path != Path::PseudoTerminal) {
            const bool pyserial = path == Path::Pyserial;
            other = std::make_unique<nettest::PortServerProcess>(
                pyserial ? nettest::ServerKind::Pyserial : nettest::ServerKind::Socat, port, dir.File("."));
            port = other->Url(pyserial ? "rfc2217" : "socket");
        }
        ports.Override(0, port);
    }

    double Run(ModuleOperation op) {
        // pyserial's server frees its port up to 3 s after a client leaves.
        std::this_thread::sleep_for(std::chrono::milliseconds(3500));
        auto closing = std::make_shared<ClosingConnections>();
        return TimeOperation(workspace, op, [this, closing](const HostSerialSettings& s) {
            return std::make_unique<TCOMQX7Object>(s, ChannelSetup{.productName = workspace.variant.ProductName,
                                                                   .escape = workspace.escape,
                                                                   .ports = ports,
                                                                   .closing = closing});
        });
    }

    simtest::TempDir dir;
    simtest::SimProcess sim;
    CountingPrompter prompter;
    Workspace workspace;
    PortMap ports;
    std::unique_ptr<Ser2NetServer> server;
    std::unique_ptr<nettest::PortServerProcess> other;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The median of kRuns runs, and whether any of them showed an error.
std::pair<double, bool> Measure(Path path, ModuleOperation op) {
    Rig rig(path);
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) times.push_back(rig.Run(op));
    return {Median(times), rig.prompter.errors > 0};
}

void Compare(ModuleOperation op, const char* name) {
    const auto [local, localErrors] = Measure(Path::PseudoTerminal, op);
    std::printf("%-9s %-16s median %6.0f ms%s\n", name, NameOf(Path::PseudoTerminal), local,
                localErrors ? "  (ERRORS SHOWN)" : "");
    for (Path path : {Path::Rfc2217, Path::RawTcp, Path::Pyserial, Path::Socat}) {
        const auto [network, errors] = Measure(path, op);
        std::printf("%-9s %-16s median %6.0f ms; ratio to the pseudo-terminal %.3f%s\n", name, NameOf(path), network,
                    network / local, errors ? "  (ERRORS SHOWN)" : "");
    }
}

}  // namespace
}  // namespace qx::bench

int main() {
    qx::bench::Compare(qx::ModuleOperation::Read, "Read");
    qx::bench::Compare(qx::ModuleOperation::Configure, "Configure");
    return 0;
}
