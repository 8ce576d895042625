// The fault matrix: every operation a user can run on a module (Read,
// Configure, RestoreDefaults, identify, the receive test) against every
// way a module or its line can fail. Each cell runs twice at once, against
// two simulators with the same fault: through the core in this process,
// where the open file descriptors are counted before and after, and as
// qxcfg, whose exit code, standard error and files are checked. Both must
// end within the reply-wait rules' bound with the one report the cell
// names, leave no port open and write no file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <sstream>
#include <unistd.h>

#include "e2e/fault_operation.h"
#include "e2e/fault_sim.h"
#include "e2e/sim_harness.h"
#include "support/run_process.h"

namespace qx::faulttest {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

const std::string kNoResponse = "Error communicating with QX7T-R. The module did not respond correctly.";
const std::string kNoWake = "Error communicating with QX7T-R. Unable to wake modem.";
const std::string kReadoutFollowUp = kNoResponse +
                                     "\r\nEnsure COM port settings are correct, and module is Switched On."
                                     "\r\n(Hint: Set Switch 2 on module to restore factory defaults.)";
const std::string kReceiveTest =
    "Error communicating with module. The module did not respond correctly.\r\n"
    "Ensure COM port settings are correct, and module is Switched On.\r\n"
    "(Hint: Set Switch 2 on module to restore factory defaults.";
const std::string kXonRefused =
    "Error programming XON/XOFF flow control. This parameter is not supported by the module firmware.";
const std::string kNotPresent = "COM1- This port may be already in use or not present.";
const std::string kNotAPort = "COM1- Handle is not a communications port handle.";
const std::string kSucceeds;  // no report: the operation works

// The opening reports name the port as it was given, here by its path, and
// a missing one says so on a second line.
std::string NamedFor(const std::string& report, const std::string& port) {
    if (report == kNotAPort) return port + "- Handle is not a communications port handle.";
    if (report == kNotPresent)
        return port + "- This port may be already in use or not present.\nNo such device: " + port +
               " (see: qxcfg ports)";
    return report;
}

enum class Line { Simulated, Vanishing, RegularFile };

struct Fault {
    std::string name;
    Line line;
    std::vector<std::string> simArgs;
};

// Replies held back far beyond any wait: a module that answers too late.
const Fault kSilent{"silent", Line::Simulated, {"--fault", "silent"}};
const Fault kGarbage{"garbage", Line::Simulated, {"--fault", "garbage"}};
const Fault kDropAfter1{"drop_after_1", Line::Simulated, {"--fault", "drop-after:1"}};
const Fault kDropAfter2{"drop_after_2", Line::Simulated, {"--fault", "drop-after:2"}};
const Fault kDropAfter3{"drop_after_3", Line::Simulated, {"--fault", "drop-after:3"}};
const Fault kSlow{"slow_120s", Line::Simulated, {"--fault", "slow:120000"}};
const Fault kRejectXon{"reject_xon", Line::Simulated, {"--fault", "reject-xon"}};
// Silent, so the operation is still waiting when the line goes.
const Fault kVanishing{"vanishes", Line::Vanishing, {"--fault", "silent"}};
const Fault kRegularFile{"regular_file", Line::RegularFile, {}};

struct Cell {
    Operation op;
    Fault fault;
    std::string report;
};

std::vector<Cell> Matrix() {
    using enum Operation;
    return {
        {Read, kSilent, kNoResponse},
        {Read, kGarbage, kNoResponse},
        {Read, kDropAfter1, kNoResponse},           // the wake answered, the listing did not
        {Read, kDropAfter2, kReadoutFollowUp},      // the listing came, "ATI" got nothing
        {Read, kDropAfter3, kReadoutFollowUp},      // "ATZ" got nothing
        {Read, kSlow, kNoResponse},
        {Read, kRejectXon, kSucceeds},
        {Read, kVanishing, kNoResponse},
        {Read, kRegularFile, kNotAPort},
        {Configure, kSilent, kNoResponse},
        {Configure, kGarbage, kNoResponse},
        {Configure, kDropAfter1, kNoResponse},
        {Configure, kDropAfter2, kNoResponse},
        {Configure, kDropAfter3, kNoResponse},
        {Configure, kSlow, kNoResponse},
        {Configure, kRejectXon, kXonRefused},
        {Configure, kVanishing, kNoResponse},
        {Configure, kRegularFile, kNotAPort},
        {RestoreDefaults, kSilent, kNoResponse},
        {RestoreDefaults, kGarbage, kNoResponse},
        {RestoreDefaults, kDropAfter1, kNoResponse},
        {RestoreDefaults, kDropAfter2, kNoResponse},
        {RestoreDefaults, kDropAfter3, kNoResponse},
        {RestoreDefaults, kSlow, kNoResponse},
        {RestoreDefaults, kRejectXon, kSucceeds},
        {RestoreDefaults, kVanishing, kNotPresent},  // the second half cannot reopen the port
        {RestoreDefaults, kRegularFile, kNotAPort},
        {Identify, kSilent, kNoWake},
        {Identify, kGarbage, kNoWake},
        {Identify, kDropAfter1, kNoResponse},
        {Identify, kDropAfter2, kSucceeds},
        {Identify, kDropAfter3, kSucceeds},
        {Identify, kSlow, kNoWake},
        {Identify, kRejectXon, kSucceeds},
        {Identify, kVanishing, kNoWake},
        {Identify, kRegularFile, kNotAPort},
        {ReceiveTest, kSilent, kReceiveTest},
        {ReceiveTest, kGarbage, kReceiveTest},
        {ReceiveTest, kDropAfter1, kReceiveTest},
        {ReceiveTest, kDropAfter2, kReceiveTest},
        {ReceiveTest, kDropAfter3, kReceiveTest},
        {ReceiveTest, kSlow, kReceiveTest},
        {ReceiveTest, kRejectXon, kSucceeds},
        {ReceiveTest, kVanishing, kReceiveTest},
        {ReceiveTest, kRegularFile, kNotAPort},
    };
}

// Test names and failure messages show a cell by its name.
void PrintTo(const Cell& cell, std::ostream* out) { *out << OperationName(cell.op) << " / " << cell.fault.name; }

std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What this process has open: the target of every descriptor.
std::vector<std::string> OpenDescriptors() {
    std::vector<std::string> targets;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const auto target = std::filesystem::read_symlink(entry.path(), ec);
        targets.push_back(ec ? std::string("?") : target.string());
    }
    std::sort(targets.begin(), targets.end());
    return targets;
}

// The reply-wait bound with room for a loaded machine and sanitizers.
milliseconds Allowed(Operation op) { return WaitBound(op) * 3 / 2 + 10s; }

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

class FaultMatrix : public ::testing::TestWithParam<Cell> {
protected:
    simtest::TempDir dir_;
};

TEST_P(FaultMatrix, EndsInTimeWithItsReportAndLeavesNothingOpenOrWritten) {
    const Cell& cell = GetParam();
    const Operation op = cell.op;

    // The configuration that Configure writes; XON/XOFF when the module refuses it.
    const std::string configFile = dir_.File("wanted.X7R");
    ASSERT_EQ(test::RunProgram("qxcfg", {"new", "-o", configFile, "--sysaddr", "77"}).exitCode, 0);
    if (cell.fault.name == kRejectXon.name) {
        ASSERT_EQ(test::RunProgram("qxcfg", {"set", configFile, "Serial_Flow=3"}).exitCode, 0);
    }
    const std::string configBefore = Content(configFile);
    const std::string outputFile = dir_.File("read.X7R");

    std::optional<FaultSim> forQxcfg;
    std::optional<FaultSim> forCore;
    std::string qxcfgPort = dir_.File("plain-file");
    std::string corePort = qxcfgPort;
    if (cell.fault.line == Line::RegularFile) {
        std::ofstream(qxcfgPort) << "not a port\n";
    } else {
        std::vector<std::string> argsWithState = cell.fault.simArgs;
        argsWithState.insert(argsWithState.end(), {"--state", dir_.File("state-a")});
        forQxcfg.emplace(dir_.File("module-a"), argsWithState, dir_.File("sim-a.err"));
        forCore.emplace(dir_.File("module-b"), cell.fault.simArgs, dir_.File("sim-b.err"));
        ASSERT_TRUE(forQxcfg->Ready() && forCore->Ready());
        qxcfgPort = forQxcfg->Link();
        corePort = forCore->Link();
    }

    const auto descriptorsBefore = OpenDescriptors();

    std::vector<std::future<void>> vanishers;
    if (cell.fault.line == Line::Vanishing) {
        for (FaultSim* sim : {&*forQxcfg, &*forCore}) {
            vanishers.push_back(std::async(std::launch::async, [sim] {
                if (sim->WaitForHost(30s)) sim->Vanish();
            }));
        }
    }
    auto qxcfg = std::async(std::launch::async, [&] {
        const auto start = std::chrono::steady_clock::now();
        test::ProcessResult r = test::RunProgram("qxcfg", QxcfgArguments(op, qxcfgPort, configFile, outputFile));
        return std::make_pair(r, std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start));
    });
    const InProcessOutcome core = RunInProcess(op, corePort, configFile);
    const auto [run, qxcfgElapsed] = qxcfg.get();
    for (auto& v : vanishers) v.get();

    // Through the core: the one report, in time, every descriptor closed.
    if (cell.report.empty()) {
        EXPECT_TRUE(core.errors.empty()) << ::testing::PrintToString(core.errors);
    } else {
        EXPECT_EQ(core.errors, std::vector<std::string>{NamedFor(cell.report, corePort)});
    }
    EXPECT_LE(core.elapsed, Allowed(op));
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore);

    // As qxcfg: exit code, the report as its own line, in time, no sanitizer report.
    EXPECT_EQ(run.exitCode, cell.report.empty() ? 0 : 1) << run.err;
    if (!cell.report.empty()) {
        // Every command: an ERROR line with the report's first line, the rest on one indented line.
        const std::string report = NamedFor(cell.report, qxcfgPort);
        const std::size_t end = std::min(report.find_first_of("\r\n"), report.size());
        std::string rest = OnOneLine(report.substr(end));
        rest.erase(0, std::min(rest.find_first_not_of(' '), rest.size()));
        const std::string printed = "ERROR: " + report.substr(0, end) + (rest.empty() ? "" : "\n  " + rest);
        EXPECT_TRUE(HasLine(run.err, printed)) << run.err;
    }
    // Standard error is a pipe here: the long escape waits of a silent
    // module's wake are announced.
    if (cell.fault.name == kSilent.name) {
        EXPECT_TRUE(HasLine(run.err, "waking the module (reply to +++): up to 9 s")) << run.err;
    }
    EXPECT_LE(qxcfgElapsed, Allowed(op));
    EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("runtime error"), std::string::npos) << run.err;

    // Files: the configuration untouched, nothing saved from a failed read,
    // nothing stored in the module by a failed Configure.
    EXPECT_EQ(Content(configFile), configBefore);
    if (op == Operation::Read) {
        EXPECT_EQ(std::filesystem::exists(outputFile), cell.report.empty());
    }
    if (op == Operation::Configure && !cell.report.empty()) {
        EXPECT_FALSE(std::filesystem::exists(dir_.File("state-a")));
    }

    // The simulators that are still there end cleanly.
    for (std::optional<FaultSim>* sim : {&forQxcfg, &forCore}) {
        if (!*sim || cell.fault.line == Line::Vanishing) continue;
        EXPECT_EQ((*sim)->Stop(), 0);
        const std::string errors = (*sim)->StderrText();
        EXPECT_EQ(errors.find("Sanitizer"), std::string::npos) << errors;
        EXPECT_EQ(errors.find("runtime error"), std::string::npos) << errors;
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix, ::testing::ValuesIn(Matrix()),
                         [](const ::testing::TestParamInfo<Cell>& info) {
                             return OperationName(info.param.op) + "_" + info.param.fault.name;
                         });

}  // namespace
}  // namespace qx::faulttest
