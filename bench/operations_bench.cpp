// Read and Configure against the simulator at 9600 and 115200 bit/s: wall
// time against the protocol floor (the waits the exchange itself mandates
// plus the bytes' time on the line); the CPU time a 10 s RSSI test costs;
// Configure on four ports at once against one; and what backing the module
// up before a write adds to it. Prints figures only.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "operations/workspace.h"
#include "e2e/sim_harness.h"
#include "history/history_recorder.h"
#include "operations/ber_test_session.h"
#include "operations/operation_starters.h"
#include "operations/program_thread.h"
#include "bench_support.h"
#include "recording_device.h"
#include "serial/comqx7_object.h"
#include "serial/posix_serial_device.h"

namespace qx::bench {
namespace {

using Clock = std::chrono::steady_clock;

class NullDisplay : public TestDisplay {
public:
    void SetField(int, const std::string&) override {}
};


// One module on its own link, and a workspace set to talk to it.
struct Rig {
    Rig(int rate, const std::string& name)
        : sim(dir.File(name), {"--baud", std::to_string(rate)}, dir.File(name + ".err")),
          workspace(ModelVariant::Main(), prompter, FixedSystemAddress(17)) {
        workspace.StartUp();
        workspace.host.BaudIndex = static_cast<std::uint8_t>(HostBaudIndex(rate));
        // The module keeps the rate it runs at: no rate change in Configure.
        workspace.config.SetChoice(FieldId::Serial_Baud, HostBaudIndex(rate) + 1);
        ports.Override(0, dir.File(name));
    }

    ChannelFactory Factory(LineCost* cost) {
        return [this, cost](const HostSerialSettings& s) {
            std::unique_ptr<SerialDevice> device = std::make_unique<PosixSerialDevice>();
            if (cost) device = std::make_unique<RecordingDevice>(std::move(device), *cost);
            return std::make_unique<TCOMQX7Object>(
                s, ChannelSetup{workspace.variant.ProductName, workspace.escape, ports}, std::move(device));
        };
    }

    double Run(ModuleOperation op, LineCost* cost) { return TimeOperation(workspace, op, Factory(cost)); }

    simtest::TempDir dir;
    simtest::SimProcess sim;
    CountingPrompter prompter;
    Workspace workspace;
    PortMap ports;
};

void FloorRatio(ModuleOperation op, const char* name, int rate) {
    Rig rig(rate, "module");
    LineCost cost;
    const double wall = rig.Run(op, &cost);
    // A pseudo-terminal does not pace bytes at the line rate, so the line
    // time is shown apart: on a pty the waits alone are the floor.
    const double waits = static_cast<double>(cost.waitsMs);
    const double line = static_cast<double>(cost.bytes) * 10'000.0 / rate;
    std::printf("%-9s at %6d bit/s: wall %6.0f ms; mandated waits %6.0f ms + line time %4.0f ms "
                "(%d exchanges, %lld bytes); ratio to waits %.3f, to waits + line %.3f%s\n",
                name, rate, wall, waits, line, cost.exchanges, cost.bytes, wall / waits, wall / (waits + line),
                rig.prompter.errors ? "  (ERRORS SHOWN)" : "");
}

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void RssiCpu() {
    Rig rig(9600, "module");
    auto channel = rig.Factory(nullptr)(rig.workspace.host);
    DirectDispatcher ui;
    NullDisplay display;
    BerTestSession session(*channel, 3, ui, display, rig.prompter);
    session.btn_StartStopClick();
    const double cpu0 = CpuSeconds();
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const double cpu = CpuSeconds() - cpu0;
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    session.StopTestAndClose();
    std::printf("RSSI test: %.3f s CPU in %.1f s = %.2f%% of one core\n", cpu, wall, 100.0 * cpu / wall);
}

void ParallelPorts() {
    const auto timeConfigure = [](int ports) {
        std::vector<std::unique_ptr<Rig>> rigs;
        for (int i = 0; i < ports; ++i) rigs.push_back(std::make_unique<Rig>(9600, "m" + std::to_string(i)));
        const auto start = Clock::now();
        {
            std::vector<std::jthread> threads;
            for (auto& rig : rigs) threads.emplace_back([&rig] { rig->Run(ModuleOperation::Configure, nullptr); });
        }
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    const double one = timeConfigure(1);
    const double four = timeConfigure(4);
    std::printf("Configure on 1 port: %.0f ms; on 4 ports at once: %.0f ms; ratio %.3f\n", one, four, four / one);
}

// What backing the module up before a write adds to the write: Configure
// with the backup read (and both entries recorded) against Configure alone,
// and a Read beside them; the fastest of three runs each.
void BackupCost() {
    Rig rig(9600, "module");
    simtest::TempDir historyDir;
    HistoryRecorder recorder("qx_bench_operations", {}, historyDir.File("history.sqlite3"));
    recorder.SetBackupBeforeWrite(true);
    double read = 1e9, plain = 1e9, backedUp = 1e9;
    for (int run = 0; run < 3; ++run) {
        read = std::min(read, rig.Run(ModuleOperation::Read, nullptr));
        plain = std::min(plain, rig.Run(ModuleOperation::Configure, nullptr));
        recorder.BeginCommand("write");
        backedUp = std::min(backedUp, TimeOperation(rig.workspace, ModuleOperation::Configure, rig.Factory(nullptr),
                                                    &recorder));
    }
    std::printf("Configure backed up first: %.0f ms against %.0f ms alone (+%.0f ms); a Read: %.0f ms\n", backedUp,
                plain, backedUp - plain, read);
}

}  // namespace
}  // namespace qx::bench

int main() {
    using qx::ModuleOperation;
    for (int rate : {9600, 115200}) {
        qx::bench::FloorRatio(ModuleOperation::Read, "Read", rate);
        qx::bench::FloorRatio(ModuleOperation::Configure, "Configure", rate);
    }
    qx::bench::RssiCpu();
    qx::bench::ParallelPorts();
    qx::bench::BackupCost();
    return 0;
}
