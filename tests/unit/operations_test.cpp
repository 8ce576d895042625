// Configure, Read and Restore Factory Defaults against a fake module on a
// real pseudo-terminal: the exchanges in their order, the held-back lines,
// the reports, and Cancel.

#include <gtest/gtest.h>

#include <atomic>
#include <algorithm>

#include "support/operation_rig.h"

namespace qx {
namespace {

using F = FieldId;
using test::OperationRig;
using test::StandardReply;

std::vector<std::string> Without(std::vector<std::string> lines, const std::string& drop) {
    std::erase(lines, drop);
    return lines;
}

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

TEST(ReadOperation, FillsTheFieldsIdentifiesAndRestarts) {
    OperationRig rig;
    rig.workspace.config.SetNumber(F::sreg_21, 2);
    PrepareReadModuleConfig(rig.workspace);
    EXPECT_EQ(rig.workspace.config.Value(F::sreg_21), 2);  // kept across the reset
    rig.Run(ModuleOperation::Read);

    EXPECT_EQ(rig.module.Lines(), (std::vector<std::string>{"", "AT&V", "ATI", "ATZ"}));
    const auto& c = rig.workspace.config;
    EXPECT_EQ(c.Value(F::ed_TM_SysAdd), 42);
    EXPECT_EQ(c.Value(F::sreg_21), 1);
    EXPECT_EQ(rig.workspace.StatusText(), "  V1.95  rev B");
    EXPECT_TRUE(rig.prompter.shown.empty()) << rig.prompter.Texts()[0];
    EXPECT_TRUE(rig.progress.closed);
    EXPECT_EQ(rig.progress.texts.front(), "Opening COM Port...");
    EXPECT_NE(std::find(rig.progress.texts.begin(), rig.progress.texts.end(), "Updating Main Form..."),
              rig.progress.texts.end());
    EXPECT_NE(rig.workspace.Log().find("&Z3="), std::string::npos);
    EXPECT_FALSE(rig.thread->WorkerExchangeActive());
    EXPECT_TRUE(rig.thread->Outcome().IsDone());
    EXPECT_FALSE(rig.thread->Outcome().moduleMayHaveChanged);
}

// A read that gets no listing (no answer to "AT&V", a port that cannot be
// opened) loses nothing: the fields keep what the user had.
TEST(ReadOperation, WithoutAListingTheFieldsStayAsTheyWere) {
    for (const bool portMissing : {false, true}) {
        OperationRig rig([](const std::string& line) { return line == "AT&V" ? std::string() : StandardReply(line); });
        if (portMissing) rig.ports.Override(0, "/nonexistent/ttyQX");
        rig.workspace.config.SetNumber(F::ed_TM_SysAdd, 240);
        rig.workspace.config.SetNumber(F::sreg_20, 9);
        PrepareReadModuleConfig(rig.workspace);
        rig.Run(ModuleOperation::Read);
        EXPECT_TRUE(rig.thread->Outcome().IsFailed()) << portMissing;
        EXPECT_EQ(rig.workspace.config.Value(F::ed_TM_SysAdd), 240) << portMissing;
        EXPECT_EQ(rig.workspace.config.Value(F::sreg_20), 9) << portMissing;
    }
}

TEST(ReadOperation, OldFirmwareWarnsWhenS21WasWanted) {
    OperationRig rig([](const std::string& line) {
        if (line == "ATI") return std::string("\r\nQX7T-R V1.89 old\r\nOK\r\n");
        return StandardReply(line);
    });
    PrepareReadModuleConfig(rig.workspace);  // S21 1 by default
    rig.Run(ModuleOperation::Read);
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].kind, MessageKind::Warning);
    EXPECT_NE(rig.prompter.shown[0].text.find("Radio Message Signature"), std::string::npos);
}

TEST(ReadOperation, AGarbledListingIsReportedWithItsOwnText) {
    OperationRig rig([](const std::string& line) {
        if (line == "AT&V") return std::string("\r\nB0 C4 E1 Q0 V1 X0 &B2 &C1 &D0 &E0 &G1 &Kx &Z3= \r\nOK\r\n");
        return StandardReply(line);
    });
    PrepareReadModuleConfig(rig.workspace);
    rig.Run(ModuleOperation::Read);
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(rig.prompter.shown[0].text, "'x' is not a valid integer value");
    // No restart after a failed parse.
    EXPECT_EQ(rig.module.Lines(), (std::vector<std::string>{"", "AT&V"}));
}

TEST(ConfigureOperation, SendsTheListThenHoldsBackResponseCodesUntilTheEnd) {
    OperationRig rig;
    rig.Configure();
    const auto lines = rig.module.Lines();
    const ConfigCommandList list = BuildConfigCommandList(rig.workspace.config);
    std::vector<std::string> expected{""};  // the wake
    for (std::size_t i = 0; i < 39; ++i)
        if (i != 3) expected.push_back(list[i]);
    expected.insert(expected.end(), {list[39], "", "ATQ0", "ATI", "AT&W", "ATZ"});
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(rig.prompter.shown.empty());
    EXPECT_EQ(rig.progress.position, rig.progress.max);
    EXPECT_EQ(rig.workspace.escape.Code(), 43);
    EXPECT_TRUE(rig.thread->Outcome().IsDone());
    EXPECT_TRUE(rig.thread->Outcome().moduleMayHaveChanged);
}

TEST(ConfigureOperation, TakesTheNewEscapeCharacterFromS2) {
    OperationRig rig;
    rig.workspace.config.SetNumber(F::sreg_2, 36);
    rig.Configure();
    EXPECT_EQ(rig.workspace.escape.Code(), 36);
}

TEST(ConfigureOperation, RatesTheHostCannotUseGoOutWithTheStore) {
    OperationRig rig;
    rig.workspace.config.SetChoice(F::Serial_Baud, 8);  // 31250
    rig.Configure();
    const auto lines = rig.module.Lines();
    EXPECT_EQ(IndexOf(lines, "ATC8"), lines.size());
    EXPECT_EQ(lines.back(), "ATC8AT&B2AT&WATZ");
    EXPECT_EQ(rig.workspace.host.BaudIndex, 3);  // the host keeps 9600
    EXPECT_TRUE(rig.thread->DeferSerialChange());
}

TEST(ConfigureOperation, ResponseCodesOffSkipsIdentification) {
    OperationRig rig;
    rig.workspace.config.SetChecked(F::Adv_Resp, true);
    rig.Configure();
    const auto lines = rig.module.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"ATQ1", "AT&W", "ATZ"}));
    EXPECT_EQ(IndexOf(lines, "ATI"), lines.size());
}

TEST(ConfigureOperation, RefusedXonXoffEndsWithItsOwnMessageAndStoresNothing) {
    OperationRig rig([](const std::string& line) {
        if (line == "AT&K5") return std::string("\r\nERROR\r\n");
        return StandardReply(line);
    });
    rig.workspace.config.SetChoice(F::Serial_Flow, 3);
    rig.Configure();
    EXPECT_EQ(rig.prompter.Texts(),
              (std::vector<std::string>{"Error programming XON/XOFF flow control. This parameter is not supported "
                                        "by the module firmware."}));
    const auto lines = rig.module.Lines();
    EXPECT_EQ(lines.back(), "AT&K5");
    EXPECT_EQ(IndexOf(lines, "AT&W"), lines.size());
    const OperationOutcome& o = rig.thread->Outcome();
    EXPECT_EQ(o.kind, OutcomeKind::Failed);
    EXPECT_EQ(o.report, ReportKind::Own);
    EXPECT_EQ(o.text, rig.prompter.Texts().back());
    EXPECT_FALSE(o.moduleMayHaveChanged);
}

TEST(ConfigureOperation, AnErrorWithResponseCodesOffWarnsFirst) {
    OperationRig rig([](const std::string& line) {
        if (line == "ATS0=1") return std::string("\r\nERROR\r\n");
        return StandardReply(line);
    });
    rig.workspace.config.SetChecked(F::Adv_Resp, true);
    rig.Configure();
    ASSERT_EQ(rig.prompter.shown.size(), 2u);
    EXPECT_EQ(rig.prompter.shown[0].kind, MessageKind::Warning);
    EXPECT_EQ(rig.prompter.shown[0].text.rfind("\"Disable Response Codes\" is selected", 0), 0u);
    EXPECT_EQ(rig.prompter.shown[1].text,
              "Error communicating with QX7T-R. The module did not respond correctly.");
}

TEST(ConfigureOperation, CancelDuringTheListStoresNothing) {
    // The fake module's thread cancels; it sees the worker only once it exists.
    std::atomic<TProgramThread*> running{nullptr};
    OperationRig rig([&](const std::string& line) {
        if (TProgramThread* t = running.load(); line == "AT&E0" && t) t->RequestTermination();
        return StandardReply(line);
    });
    auto list = PrepareWriteConfig(rig.workspace);
    ASSERT_TRUE(list.has_value());
    rig.thread = std::make_unique<TProgramThread>(rig.Context(), ModuleOperation::Configure, *list);
    running = rig.thread.get();
    rig.thread->Execute();
    const auto lines = rig.module.Lines();
    EXPECT_EQ(lines.back(), "AT&E0");
    EXPECT_TRUE(rig.prompter.shown.empty());
    EXPECT_TRUE(rig.progress.closed);
    EXPECT_EQ(rig.thread->Outcome().kind, OutcomeKind::Cancelled);
    EXPECT_FALSE(rig.thread->Outcome().moduleMayHaveChanged);
}

TEST(ConfigureOperation, HostFollowsARateAndFormatChange) {
    OperationRig rig;
    auto& c = rig.workspace.config;
    c.SetChoice(F::Serial_Baud, 6);    // 19200
    c.SetChoice(F::Serial_Parity, 3);  // even
    c.SetChoice(F::Serial_Data, 0);    // 7 bits
    rig.Configure();
    const auto lines = rig.module.Lines();
    ASSERT_GE(lines.size(), 4u);
    // Rate at the old settings, then the format at the new rate.
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{"", "ATC6", "", "AT&B12"}));
    EXPECT_EQ(rig.workspace.host.BaudIndex, 5);
    EXPECT_EQ(rig.workspace.host.Parity, 2);
    EXPECT_EQ(rig.workspace.host.DataBits, 0);
    EXPECT_EQ(rig.displayedSerialSettings, 2);
}

TEST(ConfigureOperation, SameRateAndFormatSendNothingBeforeTheList) {
    OperationRig rig;
    rig.Configure();
    const auto lines = rig.module.Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "ATB0");
    EXPECT_EQ(rig.displayedSerialSettings, 0);
}

TEST(ConfigureOperation, RefusedWithoutAMode) {
    // Before start-up no operating mode is selected.
    test::ScriptedPrompter prompter;
    Workspace unstarted(ModelVariant::Main(), prompter);
    ASSERT_EQ(unstarted.config.Mode(), OperatingMode::None);
    EXPECT_FALSE(PrepareWriteConfig(unstarted).has_value());
    EXPECT_EQ(prompter.Texts(), (std::vector<std::string>{"An operating mode must be selected!"}));
}

TEST(RestoreOperation, RestoresResetsTheHostAndReadsBack) {
    OperationRig rig;
    rig.workspace.host.BaudIndex = 5;
    rig.workspace.host.Parity = 2;
    ASSERT_TRUE(ConfirmRestoreFactDefaults(rig.workspace));
    rig.Run(ModuleOperation::RestoreDefaults);
    EXPECT_EQ(Without(rig.module.Lines(), ""), (std::vector<std::string>{"AT&F&W", "AT&V", "ATI", "ATZ"}));
    EXPECT_EQ(rig.workspace.host.BaudIndex, 3);
    EXPECT_EQ(rig.workspace.host.Parity, 0);
    EXPECT_EQ(rig.workspace.config.Value(F::ed_TM_SysAdd), 42);
    EXPECT_TRUE(rig.thread->Outcome().IsDone());
    EXPECT_TRUE(rig.thread->Outcome().moduleMayHaveChanged);
}

TEST(RestoreOperation, CancelBeforeTheRestoreStillResetsTheHost) {
    OperationRig rig;
    rig.workspace.host.BaudIndex = 5;
    rig.thread = std::make_unique<TProgramThread>(rig.Context(), ModuleOperation::RestoreDefaults, ConfigCommandList{});
    rig.thread->RequestTermination();
    rig.thread->Execute();
    EXPECT_TRUE(rig.module.Lines().empty());
    EXPECT_EQ(rig.workspace.host.BaudIndex, 3);
    EXPECT_TRUE(rig.progress.closed);
}

TEST(Operations, APortThatCannotBeOpenedShowsItsOwnText) {
    OperationRig rig;
    rig.ports.Override(0, "/nonexistent/port");
    rig.Run(ModuleOperation::Read);
    ASSERT_EQ(rig.prompter.shown.size(), 1u);
    EXPECT_EQ(rig.prompter.shown[0].text.rfind("COM1- This port may be already in use or not present.", 0), 0u);
    EXPECT_TRUE(rig.progress.closed);
    EXPECT_EQ(rig.thread->Outcome().errorClass, ErrorClass::PortOpening);
}

}  // namespace
}  // namespace qx
