// The cascades of the working configuration's rules.

#include <gtest/gtest.h>

#include "support/config_fixture.h"

namespace qx {
namespace {

using F = FieldId;
using test::kThresholdQuestion;
using test::StartedConfig;

TEST(NumberFields, NonIntegerTextReadsAsMinimumAndIsKept) {
    struct Case {
        F field;
        const char* text;
        long reads;
        const char* textAfterLeaving;
    };
    for (const Case& k : {Case{F::sreg_0, "abc", 0, "abc"}, Case{F::sreg_1, "", 60, ""},
                          Case{F::sreg_1, "-", 60, "-"}, Case{F::sreg_3, "12.5", 0, "12.5"},
                          Case{F::sreg_3, "200", 200, "127"}, Case{F::sreg_1, "-5", -5, "60"},
                          Case{F::sreg_1, "0050", 50, "60"}, Case{F::sreg_8, "007", 7, "007"},
                          Case{F::sreg_10, "99999999999", 0, "99999999999"}}) {
        StartedConfig s;
        s.config.TypeText(k.field, k.text);
        EXPECT_EQ(s.config.Value(k.field), k.reads) << k.text;  // not limited while typed
        s.config.Leave(k.field);
        EXPECT_EQ(s.config.Field(k.field).text, k.textAfterLeaving) << k.text;
    }
}

TEST(NumberFields, ProgramSetsClamp) {
    StartedConfig s;
    s.config.SetNumber(F::sreg_14, 10);
    EXPECT_EQ(s.config.Value(F::sreg_14), 20);
    s.config.SetNumber(F::sreg_14, 9000);
    EXPECT_EQ(s.config.Value(F::sreg_14), 530);
}

TEST(MirroredFields, LeavingEitherSideCopiesIt) {
    const std::pair<F, F> pairs[] = {{F::ed_CM_LinkChk, F::sreg_6},       {F::ed_CM_SC_Attempts, F::sreg_7},
                                     {F::ed_CM_SC_Delay, F::sreg_11},     {F::Radio_TxHold, F::sreg_16},
                                     {F::Radio_RxHold, F::sreg_17},       {F::ed_CM_LinkRst, F::Adv_LinkRst},
                                     {F::ed_CM_SysAdd, F::ed_TM_SysAdd},  {F::Radio_PackSize, F::sreg_14}};
    for (auto [a, b] : pairs) {
        for (auto [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
            StartedConfig s;
            s.Type(from, "77");
            EXPECT_EQ(s.config.Value(to), 77) << Spec(from).name;
            s.Type(from, "900");  // clamped on both sides
            EXPECT_EQ(s.config.Value(from), s.config.Field(from).max) << Spec(from).name;
            EXPECT_EQ(s.config.Value(to), s.config.Field(to).max) << Spec(from).name;
        }
    }
}

TEST(PacketSize, OutOfRangeAsksAlthoughTheEffectiveValueStays) {
    StartedConfig s;
    s.Type(F::Radio_PackSize, "600");
    EXPECT_EQ(s.config.Value(F::Radio_PackSize), 530);
    EXPECT_EQ(s.config.Value(F::sreg_14), 530);
    EXPECT_EQ(s.prompter.Texts(), (std::vector<std::string>{kThresholdQuestion}));
}

TEST(PacketSize, SameValueAsksNothing) {
    StartedConfig s;
    s.Type(F::sreg_14, "530");
    EXPECT_TRUE(s.prompter.shown.empty());
}

TEST(PacketSize, ChangeWithYesRecomputes) {
    StartedConfig s;
    s.Type(F::sreg_14, "100");
    EXPECT_EQ(s.config.Value(F::Radio_PackSize), 100);
    EXPECT_EQ(s.config.Value(F::sreg_18), 12);
}

TEST(FastOperation, LimitsTheUnitAddress) {
    StartedConfig s;
    auto& c = s.config;
    c.Click(F::rb_CM_Single);
    s.Type(F::ed_CM_UnitAdd, "20");
    c.Click(F::chk_CM_Fast);
    EXPECT_EQ(c.Value(F::ed_CM_UnitAdd), 15);
    s.Type(F::ed_CM_UnitAdd, "40");
    EXPECT_EQ(c.Value(F::ed_CM_UnitAdd), 15);
    c.Click(F::chk_CM_Fast);
    EXPECT_EQ(c.Value(F::ed_CM_UnitAdd), 15);
    s.Type(F::ed_CM_UnitAdd, "100");
    EXPECT_EQ(c.Value(F::ed_CM_UnitAdd), 100);
    s.Type(F::ed_CM_UnitAdd, "200");
    EXPECT_EQ(c.Value(F::ed_CM_UnitAdd), 127);
}

TEST(FastOperation, MainModelComputesWithoutExtraTime) {
    StartedConfig s;
    s.config.Click(F::rb_ContMode);
    s.config.Click(F::chk_CM_Fast);
    EXPECT_EQ(s.prompter.Texts(), (std::vector<std::string>{kThresholdQuestion}));
    EXPECT_EQ(s.config.Value(F::sreg_18), 133);
}

TEST(ModeRules, PresetsAndPresentation) {
    struct Case {
        F button;
        OperatingMode mode;
        OptionsGroup group;
        long unit, z0;  // after the rule; -1: as before (unit 9, Z0 9)
        std::array<bool, 4> storedGroups;
    };
    for (const Case& k : {Case{F::rb_ContMode, OperatingMode::AutoConnectMaster, OptionsGroup::Controlled, 1, 2,
                                {true, false, false, false}},
                           Case{F::rb_CM_Slave, OperatingMode::AutoConnectSlave, OptionsGroup::Controlled, 2, 0,
                                {false, false, false, false}},
                           Case{F::rb_CM_Single, OperatingMode::SingleConnect, OptionsGroup::Controlled, 9, 9,
                                {true, true, true, true}},
                           Case{F::rb_TM_Rpt, OperatingMode::TransparentRepeater, OptionsGroup::Transparent, 9, 9,
                                {true, true, true, true}}}) {
        StartedConfig s;
        auto& c = s.config;
        c.SetNumber(F::ed_CM_UnitAdd, 9);
        c.SetNumber(F::Z0_Dest, 9);
        c.Click(k.button);
        EXPECT_EQ(c.Mode(), k.mode);
        EXPECT_EQ(c.View().frontGroup, k.group);
        EXPECT_EQ(c.Value(F::ed_CM_UnitAdd), k.unit) << Spec(k.button).name;
        EXPECT_EQ(c.Value(F::Z0_Dest), k.z0) << Spec(k.button).name;
        EXPECT_EQ(c.View().storedGroupVisible, k.storedGroups) << Spec(k.button).name;
        EXPECT_EQ(c.Field(F::ed_TM_GrpAdd2).presentation.visible, k.mode == OperatingMode::TransparentRepeater);
        int checked = 0;
        for (F b : {F::rb_TransMode, F::rb_TM_Rpt, F::rb_ContMode, F::rb_CM_Slave, F::rb_CM_Single})
            checked += c.Checked(b);
        EXPECT_EQ(checked, 1);
    }
}

TEST(ModeRules, AutoConnectPanelColours) {
    StartedConfig s;
    auto& c = s.config;
    c.Click(F::rb_CM_Slave);
    EXPECT_EQ(c.View().frontPanel, AdvancedPanel::AutoConnectMaster);
    EXPECT_EQ(c.Field(F::ed_CM_LinkChk).presentation.color, FieldColor::ButtonFace);
    c.Click(F::rb_ContMode);
    EXPECT_EQ(c.Field(F::ed_CM_LinkRst).presentation.color, FieldColor::Window);
    c.Click(F::rb_CM_Single);
    EXPECT_EQ(c.View().frontPanel, AdvancedPanel::SingleConnect);
}

TEST(ModeRules, CheckingTheCheckedButtonRunsNothing) {
    StartedConfig s;
    auto& c = s.config;
    c.Click(F::rb_ContMode);
    c.SetNumber(F::ed_CM_UnitAdd, 9);
    c.Click(F::rb_ContMode);
    EXPECT_EQ(c.Value(F::ed_CM_UnitAdd), 9);
}

TEST(LowPower, IsAShortcutForDtrOption3) {
    StartedConfig s;
    auto& c = s.config;
    c.Click(F::rb_CM_Single);
    c.Click(F::chk_CM_LowPow);
    EXPECT_EQ(c.Field(F::Serial_DTR).choice, 3);
    c.Click(F::chk_CM_LowPow);
    EXPECT_EQ(c.Field(F::Serial_DTR).choice, 0);
}

TEST(LowPower, RemembersTheLastDtrChoice) {
    StartedConfig s;
    auto& c = s.config;
    c.Click(F::rb_CM_Single);
    c.SetChoice(F::Serial_DTR, 1);
    c.DtrChoiceLoaded();
    EXPECT_FALSE(c.Checked(F::chk_CM_LowPow));
    c.Click(F::chk_CM_LowPow);
    EXPECT_EQ(c.Field(F::Serial_DTR).choice, 3);
    c.Click(F::chk_CM_LowPow);
    EXPECT_EQ(c.Field(F::Serial_DTR).choice, 1);
    // DTR option 3 read from a module checks the box.
    c.SetChoice(F::Serial_DTR, 3);
    c.DtrChoiceLoaded();
    EXPECT_TRUE(c.Checked(F::chk_CM_LowPow));
    // Back to Transparent: the box is cleared and the remembered choice returns.
    c.Click(F::rb_TransMode);
    EXPECT_FALSE(c.Checked(F::chk_CM_LowPow));
    EXPECT_EQ(c.Field(F::Serial_DTR).choice, 1);
}

TEST(SerialRate, UnsupportedRatesShowTheMessageThenAsk) {
    const std::string message =
        "The selected Baud Rate is not supported by this computer.\r\n"
        "Once configured with this value, this computer will be unable to communicate with the module.";
    for (int index = 0; index < 14; ++index) {
        StartedConfig s;
        s.config.PickItem(F::Serial_Baud, index);
        std::vector<std::string> expected;
        if (index == 8 || index == 11 || index == 13) expected.push_back(message);
        expected.push_back(kThresholdQuestion);  // every pick, PLC Mode being on
        EXPECT_EQ(s.prompter.Texts(), expected) << index;
        if (index == 8) {
            EXPECT_EQ(s.prompter.shown[0].kind, MessageKind::Information);
        }
        EXPECT_EQ(s.config.Field(F::Serial_Baud).choice, index);
    }
}

TEST(SerialRate, PickWithYesAndNo) {
    StartedConfig yes;
    yes.config.PickItem(F::Serial_Baud, 1);
    EXPECT_EQ(yes.config.Value(F::sreg_18), 247);
    EXPECT_EQ(yes.config.Value(F::sreg_19), 34);
    StartedConfig no;
    no.prompter.SetDefaultAnswer(Answer::No);
    no.config.PickItem(F::Serial_Baud, 1);
    EXPECT_EQ(no.config.Value(F::sreg_18), 120);
    EXPECT_EQ(no.config.Value(F::sreg_19), 5);
}

TEST(Choices, ProgramSetsOutsideTheItems) {
    StartedConfig s;
    auto& c = s.config;
    c.SetChoice(F::Adv_Response, 9);  // radio group: the last item
    EXPECT_EQ(c.Field(F::Adv_Response).choice, 3);
    c.SetChoice(F::Adv_Response, -4);  // radio group: no selection
    EXPECT_EQ(c.Field(F::Adv_Response).choice, -1);
    c.SetChoice(F::Serial_Flow, 4);  // drop-down: no selection
    EXPECT_EQ(c.Field(F::Serial_Flow).choice, -1);
}

TEST(Choices, RadioDataRateAsksOnEveryRealChange) {
    StartedConfig s;
    s.config.SetChoice(F::Radio_DataRate, 0);
    EXPECT_TRUE(s.prompter.shown.empty());
    s.config.PickItem(F::Radio_DataRate, 2);
    EXPECT_EQ(s.prompter.Texts(), (std::vector<std::string>{kThresholdQuestion}));
    EXPECT_EQ(s.config.Value(F::sreg_18), 230);
}

TEST(PlcMode, UncheckingAndChecking) {
    struct Case {
        bool startOn;
        Answer answer;
        bool boxAfter;
        long s18After;
        const char* question;
    };
    const char* clearQ = "Threshold registers S18 && S19 will be cleared continue?";
    const char* enableQ = "Automatically adjust threshold registers S18 && S19 (recommended)?";
    for (const Case& k : {Case{true, Answer::Yes, false, 0, clearQ}, Case{true, Answer::No, true, 120, clearQ},
                          Case{false, Answer::Yes, true, 120, enableQ}, Case{false, Answer::No, false, 7, enableQ}}) {
        StartedConfig s;
        auto& c = s.config;
        if (!k.startOn) {
            c.SetPlcMode(false);
            c.SetNumber(F::sreg_18, 7);
        }
        s.prompter.SetDefaultAnswer(k.answer);
        c.Click(F::Modbus_CheckBox);
        ASSERT_EQ(s.prompter.Texts(), (std::vector<std::string>{k.question}));
        EXPECT_EQ(s.prompter.shown[0].kind, MessageKind::Confirmation);
        EXPECT_EQ(s.prompter.shown[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(c.Checked(F::Modbus_CheckBox), k.boxAfter);
        EXPECT_EQ(c.PlcModeActive(), k.boxAfter);
        EXPECT_EQ(c.Value(F::sreg_18), k.s18After);
        // The rule is free again: the next click asks again.
        c.Click(F::Modbus_CheckBox);
        EXPECT_EQ(s.prompter.Texts().size(), 2u);
    }
}

TEST(PlcMode, OffAsksNothingOnAPacketSizeChange) {
    StartedConfig s;
    s.config.SetPlcMode(false);
    s.Type(F::Radio_PackSize, "100");
    EXPECT_TRUE(s.prompter.shown.empty());
    EXPECT_EQ(s.config.Value(F::sreg_18), 120);
}

TEST(PlcMode, HandEditsOfS18AndS19SwitchIt) {
    StartedConfig s;
    auto& c = s.config;
    c.SetNumber(F::sreg_19, 0);
    s.Type(F::sreg_18, "0");
    EXPECT_FALSE(c.Checked(F::Modbus_CheckBox));
    EXPECT_FALSE(c.PlcModeActive());
    EXPECT_EQ(c.Value(F::sreg_19), 0);
    s.Type(F::sreg_19, "7");
    EXPECT_TRUE(c.PlcModeActive());
    EXPECT_TRUE(s.prompter.shown.empty());
    s.Type(F::Radio_PackSize, "100");
    EXPECT_EQ(s.prompter.Texts(), (std::vector<std::string>{kThresholdQuestion}));
}

TEST(PlcMode, HandEditUsesTheTypedValueBeforeClamping) {
    StartedConfig s;
    s.config.SetNumber(F::sreg_19, 0);
    s.Type(F::sreg_18, "-3");  // not 0 as typed: PLC Mode stays on, then clamps to 0
    EXPECT_TRUE(s.config.PlcModeActive());
    EXPECT_EQ(s.config.Value(F::sreg_18), 0);
}

TEST(Listeners, AreToldOfEveryChange) {
    StartedConfig s;
    std::vector<std::optional<FieldId>> changes;
    const int token = s.config.Subscribe([&](std::optional<FieldId> id) { changes.push_back(id); });
    s.Type(F::sreg_6, "9");
    EXPECT_NE(std::find(changes.begin(), changes.end(), std::optional{F::ed_CM_LinkChk}), changes.end());
    s.config.Unsubscribe(token);
    changes.clear();
    s.Type(F::sreg_6, "10");
    EXPECT_TRUE(changes.empty());
}

}  // namespace
}  // namespace qx
