// What the module operations keep in the history, run through the core in
// this process against qxsim on its pseudo-terminal, with the history in a
// real SQLite file: each recording path, going back to a configuration the
// history kept, a history that cannot be written, and several ports at once.

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "e2e/sim_harness.h"
#include "files/config_file_commands.h"
#include "history/history_recorder.h"
#include "operations/operation_starters.h"
#include "operations/program_thread.h"
#include "operations/read_back.h"
#include "serial/comqx7_object.h"
#include "support/operation_rig.h"
#include "support/scratch_folder.h"
#include "support/scripted_prompter.h"

namespace qx {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

// One qxsim, a workspace that talks to it as qxcfg --port LINK does, and a
// recorder with its history file.
struct HistoryRig {
    explicit HistoryRig(const std::string& name = "module", HistoryRecorder::Notice notice = {})
        : sim(dir.File(name), {"--state", dir.File(name + ".state")}, dir.File(name + ".err")),
          recorder("qxcfg", std::move(notice), history.Path("history.sqlite3")),
          workspace(ModelVariant::Main(), prompter, FixedSystemAddress(17)) {
        workspace.StartUp();
        ports.Override(0, dir.File(name), SlotNaming::ByPath);
    }

    OperationOutcome Run(Workspace& ws, ModuleOperation op, ConfigCommandList list = {}) {
        return RunRecordedBy(recorder, ws, op, std::move(list));
    }
    OperationOutcome RunRecordedBy(HistoryRecorder& history, Workspace& ws, ModuleOperation op,
                                   ConfigCommandList list = {}) {
        DirectDispatcher ui;
        test::RecordingProgress progress;
        OperationContext context{ws, ui, progress,
                                 [&](const HostSerialSettings& s) {
                                     return std::make_unique<TCOMQX7Object>(
                                         s, ChannelSetup{ws.variant.ProductName, ws.escape, ports});
                                 },
                                 {}};
        context.history = &history;
        TProgramThread thread(std::move(context), op, std::move(list));
        thread.Execute();
        return thread.Outcome();
    }
    OperationOutcome Read() {
        PrepareReadModuleConfig(workspace);
        return Run(workspace, ModuleOperation::Read);
    }
    OperationOutcome Configure(Workspace& ws) { return Run(ws, ModuleOperation::Configure, *PrepareWriteConfig(ws)); }
    OperationOutcome Configure() { return Configure(workspace); }
    ReadBack ReadBackAndCompareHere() {
        return ReadBackAndCompare(workspace, [&](Workspace& module) { return Run(module, ModuleOperation::Read); });
    }

    // Newest last.
    std::vector<HistoryEntry> Entries() {
        HistoryStore store(history.Path("history.sqlite3"));
        std::vector<HistoryEntry> all;
        for (const auto& listed : store.List()) all.insert(all.begin(), *store.Get(listed.id));
        return all;
    }

    TempDir dir;
    SimProcess sim;
    test::ScratchFolder history;
    HistoryRecorder recorder;
    test::ScriptedPrompter prompter;
    Workspace workspace;
    PortMap ports;
};

std::vector<HistoryKind> Kinds(const std::vector<HistoryEntry>& entries) {
    std::vector<HistoryKind> kinds;
    for (const auto& e : entries) kinds.push_back(e.kind);
    return kinds;
}

TEST(HistoryRecording, EachPathKeepsWhatItDidToTheModule) {
    using K = HistoryKind;
    const struct {
        const char* what;
        std::function<void(HistoryRig&)> run;
        std::vector<HistoryKind> kinds;
    } cases[] = {
        {"Read", [](HistoryRig& r) { EXPECT_TRUE(r.Read().IsDone()); }, {K::Read}},
        {"Configure", [](HistoryRig& r) { EXPECT_TRUE(r.Configure().IsDone()); }, {K::Written}},
        {"Configure backed up first",
         [](HistoryRig& r) {
             r.recorder.SetBackupBeforeWrite(true);
             EXPECT_TRUE(r.Configure().IsDone());
         },
         {K::BeforeWrite, K::Written}},
        {"a read, then a write of what was read (set --port)",
         [](HistoryRig& r) {
             r.recorder.SetBackupBeforeWrite(true);
             ModuleReading reading = ReadModuleConfiguration(
                 r.workspace, [&](Workspace& module) { return r.Run(module, ModuleOperation::Read); });
             reading.module->config.SetNumber(FieldId::sreg_7, 9);
             EXPECT_TRUE(r.Configure(*reading.module).IsDone());
         },
         {K::Read, K::Written}},
        {"Configure, then its read-back (write --verify)",
         [](HistoryRig& r) {
             EXPECT_TRUE(r.Configure().IsDone());
             EXPECT_TRUE(r.ReadBackAndCompareHere().differences.empty());
         },
         {K::Written, K::Read}},
        {"Restore Factory Defaults",
         [](HistoryRig& r) { EXPECT_TRUE(r.Run(r.workspace, ModuleOperation::RestoreDefaults).IsDone()); },
         {K::RestoredDefaults}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HistoryRig rig;
        rig.workspace.config.SetNumber(FieldId::sreg_7, 9);
        rig.workspace.config.SetNumber(FieldId::ed_TM_SysAdd, 33);
        c.run(rig);
        const auto entries = rig.Entries();
        EXPECT_EQ(Kinds(entries), c.kinds);
        for (const HistoryEntry& e : entries) {
            EXPECT_EQ(e.port, rig.dir.File("module"));
            EXPECT_EQ(e.device, rig.dir.File("module"));
            EXPECT_EQ(e.byIdPath, "");
            EXPECT_EQ(e.model, "QX7T-R");
            EXPECT_EQ(e.firmware.rfind("V1.95", 0), 0u) << e.firmware;
            EXPECT_EQ(e.program, "qxcfg");
            EXPECT_EQ(e.outcome, "done");
            EXPECT_TRUE(e.systemAddress.has_value());
            EXPECT_EQ(e.configuration.substr(0, 5), " ATB0");
        }
    }
}

// The module's configuration kept before a write, written back, leaves the
// module storing what it stored before.
TEST(HistoryRecording, AConfigurationKeptBeforeAWriteBringsTheModuleBack) {
    HistoryRig rig;
    ASSERT_TRUE(rig.Read().IsDone());
    const std::string original = rig.Entries().back().configuration;

    rig.recorder.SetBackupBeforeWrite(true);
    rig.recorder.BeginCommand("write");
    rig.workspace.config.SetNumber(FieldId::sreg_7, 9);
    rig.workspace.config.SetNumber(FieldId::ed_TM_SysAdd, 33);
    ASSERT_TRUE(rig.Configure().IsDone());
    const HistoryEntry backup = rig.Entries().at(1);
    ASSERT_EQ(backup.kind, HistoryKind::BeforeWrite);
    EXPECT_EQ(backup.configuration, original);

    // write history:ID, as qxcfg loads it: the bytes as a configuration file.
    rig.recorder.BeginCommand("write");
    test::ScriptedPrompter prompter;
    Workspace back(ModelVariant::Main(), prompter, FixedSystemAddress(5));
    back.StartUp();
    ASSERT_TRUE(LoadFromFile(back, rig.history.Write("back.X7R", backup.configuration)));
    back.host = rig.workspace.host;
    ASSERT_TRUE(rig.Configure(back).IsDone());

    rig.recorder.BeginCommand("read");
    ASSERT_TRUE(rig.Read().IsDone());
    EXPECT_EQ(rig.Entries().back().configuration, original);
    EXPECT_EQ(Kinds(rig.Entries()), (std::vector<HistoryKind>{HistoryKind::Read, HistoryKind::BeforeWrite,
                                                              HistoryKind::Written, HistoryKind::BeforeWrite,
                                                              HistoryKind::Written, HistoryKind::Read}));
}

// A history that cannot be written stops nothing: the operation runs to its
// end and the user is told once why nothing was kept.
TEST(HistoryRecording, AHistoryThatCannotBeWrittenStopsNothing) {
    std::vector<std::string> notices;
    HistoryRig rig("module", [&](const std::string& text) { notices.push_back(text); });
    const std::string path = rig.history.Write("history.sqlite3", std::string(8192, 'x'));
    rig.recorder.SetBackupBeforeWrite(true);
    EXPECT_TRUE(rig.Read().IsDone());
    EXPECT_TRUE(rig.Configure().IsDone());
    EXPECT_TRUE(rig.prompter.shown.empty());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].rfind("history not kept: " + path, 0), 0u) << notices[0];
    EXPECT_TRUE(test::ReadWholeFile(path) == std::string(8192, 'x')) << "the file was changed";
}

TEST(HistoryRecording, SeveralPortsInOneProcessEachKeepTheirEntry) {
    std::vector<std::unique_ptr<HistoryRig>> rigs;
    for (int i = 0; i < 4; ++i) rigs.push_back(std::make_unique<HistoryRig>("m" + std::to_string(i)));
    HistoryRecorder shared("qxcfg", {}, rigs[0]->history.Path("shared.sqlite3"));
    {
        std::vector<std::jthread> threads;
        for (auto& rig : rigs)
            threads.emplace_back([&rig, &shared] {
                PrepareReadModuleConfig(rig->workspace);
                EXPECT_TRUE(rig->RunRecordedBy(shared, rig->workspace, ModuleOperation::Read).IsDone());
            });
    }
    HistoryStore store(rigs[0]->history.Path("shared.sqlite3"));
    EXPECT_EQ(store.List().size(), 4u);
    for (auto& rig : rigs) EXPECT_EQ(store.List({.port = rig->ports.PathFor(0)}).size(), 1u);
}

}  // namespace
}  // namespace qx
