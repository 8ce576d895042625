#pragma once
// A module operation wired as the window wires it, against a fake module on
// a real pseudo-terminal, with the user-interface thread being the test's
// own thread.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/progress_sink.h"
#include "app/ui_dispatcher.h"
#include "operations/workspace.h"
#include "operations/operation_starters.h"
#include "operations/program_thread.h"
#include "serial/comqx7_object.h"
#include "support/fake_module.h"
#include "support/scripted_prompter.h"

namespace qx::test {

class RecordingProgress : public ProgressSink {
public:
    void SetText(const std::string& text) override { texts.push_back(text); }
    void SetPosition(int p) override { position = p; }
    void SetMax(int m) override { max = m; }
    void Step() override { ++position; }
    void Refresh() override {}
    void Close() override { closed = true; }

    std::vector<std::string> texts;
    int position = 0;
    int max = 0;
    bool closed = false;
};

// The default listing of a module in Transparent mode with system address 42.
inline std::string DefaultListing() {
    return "\r\nB0 C4 E1 Q0 V1 X0 &B2 &C1 &D0 &E0 &G1 &K4 &L1 &M0 &N1 &S42 &U1 \\T0 \r\n"
           "S0:1 S1:50 S2:43 S3:13 S4:10 S5:8 S6:0 S7:5 S8:0 S9:0 S10:1 S11:0 S12:0 S13:0 "
           "S14:255 S16:0 S17:0 S18:120 S19:5 S20:100 S21:1 \r\n&Z0= &Z1= &Z2= &Z3= \r\nOK\r\n";
}

// A module in command mode that accepts everything.
inline std::string StandardReply(const std::string& line) {
    if (line == "AT&V") return DefaultListing();
    if (line == "ATI") return "\r\nQX7T-R Radio Modem V1.95 rev B\r\nOK\r\n";
    return "\r\nOK\r\n";
}

struct OperationRig {
    explicit OperationRig(FakeModule::Responder responder = StandardReply,
                          ModelVariant variant = ModelVariant::Main())
        : module(std::move(responder)), workspace(std::move(variant), prompter, FixedSystemAddress(17)) {
        workspace.StartUp();
        ports.Override(0, module.SlavePath());
    }

    ChannelFactory Factory() {
        return [this](const HostSerialSettings& s) {
            return std::make_unique<TCOMQX7Object>(s, ChannelSetup{workspace.variant.ProductName, workspace.escape, ports});
        };
    }

    OperationContext Context() {
        return OperationContext{workspace, ui, progress, Factory(), [this] { ++displayedSerialSettings; }};
    }

    // Runs the operation to its end on this thread.
    void Run(ModuleOperation op, ConfigCommandList list = {}) {
        thread = std::make_unique<TProgramThread>(Context(), op, std::move(list));
        thread->Execute();
    }

    void Configure() {
        auto list = PrepareWriteConfig(workspace);
        ASSERT_TRUE(list.has_value());
        Run(ModuleOperation::Configure, *list);
    }

    FakeModule module;
    ScriptedPrompter prompter;
    Workspace workspace;
    DirectDispatcher ui;
    RecordingProgress progress;
    PortMap ports;
    int displayedSerialSettings = 0;
    std::unique_ptr<TProgramThread> thread;
};

}  // namespace qx::test
