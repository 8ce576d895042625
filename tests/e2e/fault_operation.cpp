#include "e2e/fault_operation.h"

#include <memory>
#include <thread>

#include "app/ui_dispatcher.h"
#include "operations/workspace.h"
#include "files/config_file_commands.h"
#include "operations/ber_test_session.h"
#include "operations/operation_starters.h"
#include "operations/program_thread.h"
#include "serial/comqx7_object.h"
#include "serial/module_error_reports.h"
#include "support/operation_rig.h"
#include "support/scripted_prompter.h"

namespace qx::faulttest {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

// One read-loop wait at its full length: a long reply 10 reads of
// 3 x 255 ms + the time-out, a short one 20 reads of 3 x (expected + 20)
// ms + the time-out.
constexpr milliseconds LongWait(int timeoutMs) { return milliseconds(10 * (765 + timeoutMs)); }
constexpr milliseconds ShortWait(int expectedLength, int timeoutMs) {
    return milliseconds(20 * (3 * (expectedLength + 20) + timeoutMs));
}
// A failed wake: CR, the escape sequence twice, the last CR.
constexpr milliseconds kWake = ShortWait(2, 50) + 2 * LongWait(50) + ShortWait(2, 10);
constexpr milliseconds kListing = LongWait(100);

class NoDisplay : public TestDisplay {
public:
    void SetField(int, const std::string&) override {}
};

std::vector<std::string> ErrorTexts(const test::ScriptedPrompter& prompter) {
    std::vector<std::string> errors;
    for (const Message& m : prompter.shown)
        if (m.kind == MessageKind::Error) errors.push_back(m.text);
    return errors;
}

std::unique_ptr<TCOMQX7Object> OpenChannel(const Workspace& workspace, const PortMap& ports) {
    return std::make_unique<TCOMQX7Object>(
        workspace.host, ChannelSetup{workspace.variant.ProductName, workspace.escape, ports, "qxcfg ports"});
}

void RunModuleOperation(Workspace& workspace, const PortMap& ports, ModuleOperation op, ConfigCommandList list) {
    DirectDispatcher ui;
    test::RecordingProgress progress;
    TProgramThread thread(
        OperationContext{workspace, ui, progress, [&](const HostSerialSettings& s) {
                             return std::make_unique<TCOMQX7Object>(
                                 s,
                                 ChannelSetup{workspace.variant.ProductName, workspace.escape, ports, "qxcfg ports"});
                         },
                         {}},
        op, std::move(list));
    thread.Execute();
}

void Identify(Workspace& workspace, const PortMap& ports, Prompter& prompter) {
    try {
        auto channel = OpenChannel(workspace, ports);
        channel->Wake();
        channel->SendExpect("ATI\r", "V", 100ms);
    } catch (const std::exception& e) {
        Tell(prompter, MessageKind::Error, ReportFor(ReportSite::ModuleOperation, workspace.variant.ProductName, e));
    }
}

void ReceiveTest(Workspace& workspace, const PortMap& ports, Prompter& prompter) {
    std::unique_ptr<TCOMQX7Object> channel;
    try {
        channel = OpenChannel(workspace, ports);
    } catch (const std::exception& e) {
        Tell(prompter, MessageKind::Error, e.what());
        return;
    }
    DirectDispatcher ui;
    NoDisplay display;
    BerTestSession session(*channel, 1, ui, display, prompter);
    session.btn_StartStopClick();
    if (session.ButtonCaption() != "Stop") return;
    std::this_thread::sleep_for(1s);
    session.StopTestAndClose();
}

}  // namespace

std::string OperationName(Operation op) {
    switch (op) {
        case Operation::Read: return "Read";
        case Operation::Configure: return "Configure";
        case Operation::RestoreDefaults: return "RestoreDefaults";
        case Operation::Identify: return "Identify";
        case Operation::ReceiveTest: return "ReceiveTest";
    }
    return "?";
}

milliseconds WaitBound(Operation op) {
    switch (op) {
        case Operation::Read: return kWake + kListing;
        // The wake, the pause after an early failed wake, the first list line.
        case Operation::Configure: return kWake + 1000ms + ShortWait(2, 100);
        // The restore half ("AT&F&W" waits for a CR), then a whole read.
        case Operation::RestoreDefaults: return kWake + ShortWait(1, 100) + kWake + kListing;
        case Operation::Identify: return kWake + LongWait(100);
        // The wake, "AT&K0", the cleared line with its pause, the test command.
        case Operation::ReceiveTest: return kWake + 2 * ShortWait(1, 50) + ShortWait(0, 5) + 100ms;
    }
    return 0ms;
}

InProcessOutcome RunInProcess(Operation op, const std::string& portPath, const std::string& configFile) {
    test::ScriptedPrompter prompter;
    Workspace workspace(ModelVariant::Main(), prompter, FixedSystemAddress(17));
    workspace.StartUp();
    PortMap ports;
    ports.Override(0, portPath, SlotNaming::ByPath);  // as qxcfg --port PATH names it
    std::optional<ConfigCommandList> list;
    if (op == Operation::Configure) {
        LoadFromFile(workspace, configFile);
        list = PrepareWriteConfig(workspace);
    }
    if (op == Operation::Read) PrepareReadModuleConfig(workspace);

    const auto start = std::chrono::steady_clock::now();
    switch (op) {
        case Operation::Read: RunModuleOperation(workspace, ports, ModuleOperation::Read, {}); break;
        case Operation::Configure:
            if (list) RunModuleOperation(workspace, ports, ModuleOperation::Configure, *list);
            break;
        case Operation::RestoreDefaults:
            RunModuleOperation(workspace, ports, ModuleOperation::RestoreDefaults, {});
            break;
        case Operation::Identify: Identify(workspace, ports, prompter); break;
        case Operation::ReceiveTest: ReceiveTest(workspace, ports, prompter); break;
    }
    InProcessOutcome outcome;
    outcome.elapsed = std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
    outcome.errors = ErrorTexts(prompter);
    return outcome;
}

std::vector<std::string> QxcfgArguments(Operation op, const std::string& portPath, const std::string& configFile,
                                        const std::string& outputFile) {
    switch (op) {
        case Operation::Read: return {"read", "--port", portPath, "-o", outputFile};
        // Without the backup read qxcfg makes before it changes the module:
        // each cell tries the operation's own exchanges, as the core does.
        case Operation::Configure: return {"write", configFile, "--port", portPath, "--no-backup"};
        case Operation::RestoreDefaults: return {"--yes", "restore", "--port", portPath, "--no-backup"};
        case Operation::Identify: return {"identify", "--port", portPath};
        case Operation::ReceiveTest: return {"rxber", "--test", "1", "--seconds", "1", "--port", portPath};
    }
    return {};
}

std::string OnOneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            out += c;
            continue;
        }
        const char pair = c == '\r' ? '\n' : '\r';
        if (i + 1 < text.size() && text[i + 1] == pair) ++i;
        out += ' ';
    }
    return out;
}

}  // namespace qx::faulttest
