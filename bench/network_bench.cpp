// Read and Configure at 9600 bit/s through Debian's ser2net on localhost
// (RFC 2217, and a plain TCP port) against the same on the simulator's
// pseudo-terminal directly: the median wall time of a few runs each and
// the ratio of network to local. Prints figures only.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "operations/workspace.h"
#include "bench_support.h"
#include "e2e/ser2net_server.h"
#include "e2e/sim_harness.h"
#include "serial/comqx7_object.h"

namespace qx::bench {
namespace {

using nettest::Accepter;
using nettest::Ser2NetServer;

constexpr int kRuns = 3;

enum class Path { PseudoTerminal, Rfc2217, RawTcp };

const char* NameOf(Path path) {
    switch (path) {
        case Path::PseudoTerminal: return "pseudo-terminal";
        case Path::Rfc2217: return "rfc2217://";
        case Path::RawTcp: return "socket://";
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
        if (path != Path::PseudoTerminal) {
            server = std::make_unique<Ser2NetServer>(port, dir.File("."),
                                                     path == Path::Rfc2217 ? Accepter::Rfc2217 : Accepter::RawTcp);
            port = server->Url();
        }
        ports.Override(0, port);
    }

    double Run(ModuleOperation op) {
        return TimeOperation(workspace, op, [this](const HostSerialSettings& s) {
            return std::make_unique<TCOMQX7Object>(s, ChannelSetup{workspace.variant.ProductName, workspace.escape, ports});
        });
    }

    simtest::TempDir dir;
    simtest::SimProcess sim;
    CountingPrompter prompter;
    Workspace workspace;
    PortMap ports;
    std::unique_ptr<Ser2NetServer> server;
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
    for (Path path : {Path::Rfc2217, Path::RawTcp}) {
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
