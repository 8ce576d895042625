#include <gtest/gtest.h>

#include <set>

#include "support/config_fixture.h"

namespace qx {
namespace {

using F = FieldId;
using test::StartedConfig;

TEST(SetDefaults, MainModel) {
    StartedConfig s(ModelFamily::Main, 17);
    const auto& c = s.config;
    EXPECT_EQ(c.Mode(), OperatingMode::Transparent);
    EXPECT_TRUE(c.Checked(F::rb_TransMode));
    EXPECT_EQ(c.View().frontGroup, OptionsGroup::Transparent);
    EXPECT_EQ(c.Value(F::ed_TM_SysAdd), 17);
    EXPECT_EQ(c.Value(F::ed_CM_SysAdd), 17);
    EXPECT_EQ(c.Value(F::sreg_18), 120);
    EXPECT_EQ(c.Value(F::sreg_19), 5);
    EXPECT_TRUE(c.PlcModeActive());
    EXPECT_TRUE(c.Checked(F::Modbus_CheckBox));
    EXPECT_TRUE(c.Checked(F::TM_Auto_OnLine));
    EXPECT_TRUE(c.Field(F::sreg_21).presentation.visible);
    EXPECT_TRUE(c.Field(F::chk_CM_Fast).presentation.visible);
    EXPECT_FALSE(c.Field(F::ed_TM_GrpAdd2).presentation.visible);
    EXPECT_EQ(c.View().sregLastPageCaption, "S18 - S21");
    EXPECT_EQ(c.Field(F::Radio_DataRate).items, (std::vector<std::string>{"19200", "57600", "115200"}));
    EXPECT_EQ(c.Value(F::Z0_Dest), 2);
    EXPECT_EQ(c.Value(F::Serial_Baud), 4);
    EXPECT_EQ(c.Value(F::Serial_Flow), 2);
    EXPECT_EQ(c.Value(F::Serial_DCD), 1);
    EXPECT_EQ(c.Value(F::sreg_1), 1000);
    EXPECT_EQ(c.Value(F::sreg_2), 43);
    EXPECT_EQ(c.Value(F::sreg_20), 100);
    EXPECT_EQ(c.Value(F::sreg_21), 1);
    EXPECT_EQ(c.Value(F::Radio_PackSize), 530);
}

TEST(SetDefaults, BasicModel) {
    StartedConfig s(ModelFamily::Basic);
    const auto& c = s.config;
    EXPECT_EQ(c.Value(F::sreg_18), 129);
    EXPECT_EQ(c.Value(F::sreg_19), 5);
    EXPECT_FALSE(c.Field(F::sreg_21).presentation.visible);
    EXPECT_FALSE(c.Field(F::chk_CM_Fast).presentation.visible);
    EXPECT_EQ(c.View().sregLastPageCaption, "S18 - S20");
    EXPECT_EQ(c.Field(F::Radio_DataRate).items[2], "76800");
    EXPECT_EQ(c.Value(F::sreg_21), 1);  // still written for both families
}

TEST(SetDefaults, StartUpAsksNothing) {
    test::ScriptedPrompter prompter;
    WorkingConfig config(ModelFamily::Main, prompter, FixedSystemAddress(5));
    EscapeCharacter escape;
    escape.Set(35);
    InitialiseWorkingConfig(config, escape);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(escape.Code(), 43);
}

TEST(SetDefaults, RandomSystemAddressStaysWithin1To254AndVaries) {
    test::ScriptedPrompter prompter;
    std::set<long> seen;
    auto source = ClockSeededSystemAddress();
    for (int i = 0; i < 200; ++i) {
        WorkingConfig config(ModelFamily::Main, prompter, source);
        config.SetDefaults();
        const long a = config.Value(F::ed_TM_SysAdd);
        ASSERT_GE(a, 1);
        ASSERT_LE(a, 254);
        ASSERT_EQ(config.Value(F::ed_CM_SysAdd), a);
        seen.insert(a);
    }
    EXPECT_GT(seen.size(), 10u);
}

TEST(SetDefaults, FromAControlledModeAsksTheThresholdQuestionAndStillRecomputes) {
    StartedConfig s;
    auto& c = s.config;
    c.Click(F::rb_ContMode);
    c.Click(F::chk_CM_Fast);  // asks once
    c.SetChoice(F::Serial_Baud, 1);
    s.prompter.Clear();
    s.prompter.SetDefaultAnswer(Answer::No);
    c.SetDefaults();
    // Unchecking Fast Operation on the way back to Transparent asks the question.
    ASSERT_EQ(s.prompter.Texts(), (std::vector<std::string>{test::kThresholdQuestion}));
    EXPECT_EQ(c.Value(F::sreg_18), 120);  // whatever the answer
    EXPECT_EQ(c.Mode(), OperatingMode::Transparent);
    EXPECT_FALSE(c.Checked(F::chk_CM_Fast));
    EXPECT_EQ(c.Field(F::ed_CM_UnitAdd).max, 127);
}

}  // namespace
}  // namespace qx
