// The forty command lines that write a configuration into a module.

#include <gtest/gtest.h>

#include "config/command_builder.h"
#include "support/config_fixture.h"

namespace qx {
namespace {

using F = FieldId;
using test::StartedConfig;

TEST(CommandBuilder, WorkedExampleTransparentSystemAddress17) {
    StartedConfig s(ModelFamily::Main, 17);
    const ConfigCommandList expected = {
        "ATB0",      "ATC4",     "ATE1",     "ATQ0",     "ATV1",     "ATX0",    "AT&B2",    "AT&C1",
        "AT&D0",     "AT&E0",    "AT&G1",    "AT&K4",    "AT&S17",   "AT&U1",   "AT\\T0",   "ATS0=1",
        "ATS1=50",   "ATS2=43",  "ATS3=13",  "ATS4=10",  "ATS5=8",   "ATS6=0",  "ATS7=5",   "ATS8=0",
        "ATS10=1",   "ATS11=0",  "ATS14=255", "ATS16=0", "ATS17=0",  "ATS18=120", "ATS19=5", "ATS20=100",
        "ATS21=1",   "AT&Z1=",   "AT&Z2=",   "AT&Z3=",   "AT&Z0=",   "AT&L1",   "AT&N1",    "AT&M0"};
    const ConfigCommandList built = BuildConfigCommandList(s.config);
    for (std::size_t i = 0; i < kConfigCommandCount; ++i) EXPECT_EQ(built[i], expected[i]) << "slot " << i;

    // Auto-Connect Master from there changes exactly four slots.
    s.config.Click(F::rb_ContMode);
    ConfigCommandList master = expected;
    master[13] = "AT&U1";
    master[36] = "AT&Z0=2";
    master[37] = "AT&L2";
    master[39] = "AT&M2";
    EXPECT_EQ(BuildConfigCommandList(s.config), master);
}

TEST(CommandBuilder, OnlyAtcAtandBAndAtqLinesCarryThoseTexts) {
    StartedConfig s;
    const auto list = BuildConfigCommandList(s.config);
    for (auto [text, slot] : {std::pair{"ATC", slot::ATC}, {"AT&B", slot::ATandB}, {"ATQ", slot::ATQ}}) {
        for (std::size_t i = 0; i < kConfigCommandCount; ++i)
            EXPECT_EQ(list[i].find(text) != std::string::npos, i == slot) << text << " in slot " << i;
    }
}

struct Edge {
    const char* what;
    std::vector<std::pair<const char*, const char*>> actions;  // field=value as the user sets them
    std::size_t slot;
    const char* line;
};

class CommandBuilderEdges : public ::testing::TestWithParam<Edge> {};

void Apply(StartedConfig& s, const char* name, const char* value) {
    const std::string n = name;
    if (n == "mode") return s.config.Click(*ModeRadioButton(static_cast<OperatingMode>(std::stoi(value))));
    const FieldId id = *FindField(n);
    switch (Spec(id).kind) {
        case FieldKind::Number: s.Type(id, value); break;
        case FieldKind::Choice: s.config.PickItem(id, std::stoi(value)); break;
        default:
            if ((std::stoi(value) != 0) != s.config.Checked(id)) s.config.Click(id);
            break;
    }
}

TEST_P(CommandBuilderEdges, WritesTheLine) {
    const Edge& e = GetParam();
    StartedConfig s;
    for (const auto& [name, value] : e.actions) Apply(s, name, value);
    EXPECT_EQ(BuildConfigCommandList(s.config)[e.slot], e.line) << e.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandBuilderEdges,
    ::testing::Values(
        Edge{"transparent unit", {{"ed_TM_GrpAdd2", "9"}}, 13, "AT&U1"},
        Edge{"transparent AT&M", {}, 39, "AT&M0"},
        Edge{"repeater unit is group address 2", {{"mode", "2"}, {"ed_TM_GrpAdd2", "9"}}, 13, "AT&U9"},
        Edge{"repeater AT&M", {{"mode", "2"}}, 39, "AT&M1"},
        Edge{"auto-on-line off", {{"TM_Auto_OnLine", "0"}}, 37, "AT&L0"},
        Edge{"slave AT&L", {{"mode", "4"}}, 37, "AT&L3"},
        Edge{"single AT&L", {{"mode", "5"}}, 37, "AT&L0"},
        Edge{"fast AT&M3", {{"mode", "5"}, {"chk_CM_Fast", "1"}}, 39, "AT&M3"},
        Edge{"not fast AT&M2", {{"mode", "3"}}, 39, "AT&M2"},
        Edge{"controlled unit", {{"mode", "5"}, {"ed_CM_UnitAdd", "77"}}, 13, "AT&U77"},
        Edge{"controlled group 1", {{"mode", "5"}, {"ed_TM_GrpAdd1", "33"}}, 10, "AT&G33"},
        Edge{"S1 1010 ms", {{"sreg_1", "1010"}}, 16, "ATS1=50"},
        Edge{"S1 5100 ms", {{"sreg_1", "5100"}}, 16, "ATS1=255"},
        Edge{"S10 2550 ms", {{"sreg_10", "2550"}}, 24, "ATS10=255"},
        Edge{"S14 21", {{"sreg_14", "21"}}, 26, "ATS14=0"},
        Edge{"S14 20", {{"sreg_14", "20"}}, 26, "ATS14=0"},
        Edge{"7 data, odd, 2 stop", {{"Serial_Data", "0"}, {"Serial_Parity", "2"}, {"Serial_Stop", "1"}}, 6,
             "AT&B9"},
        Edge{"8 data, even, 1 stop", {{"Serial_Parity", "3"}}, 6, "AT&B14"},
        Edge{"XON/XOFF", {{"Serial_Flow", "3"}}, 11, "AT&K5"},
        Edge{"no flow control", {{"Serial_Flow", "0"}}, 11, "AT&K0"},
        Edge{"CTS/RTS", {{"Serial_Flow", "1"}}, 11, "AT&K3"},
        Edge{"echo disabled", {{"Adv_Echo", "1"}}, 2, "ATE0"},
        Edge{"responses disabled", {{"Adv_Resp", "1"}}, 3, "ATQ1"},
        Edge{"numeric responses", {{"Adv_Numeric", "1"}}, 4, "ATV0"},
        Edge{"abort disabled", {{"Adv_Abort", "1"}}, 38, "AT&N0"},
        Edge{"inactivity timeout", {{"Adv_LinkRst", "44"}}, 14, "AT\\T44"},
        Edge{"repeaters 3, 0, 5 and destination 7: the path ends at the 0", {{"mode", "5"}, {"Z1_Rpt1", "3"}, {"Z1_Rpt3", "5"}, {"Z1_Dest", "7"}}, 33,
             "AT&Z1=3,7"},
        Edge{"repeaters 0, 5: no path, destination alone", {{"mode", "5"}, {"Z2_Rpt2", "5"}, {"Z2_Dest", "7"}}, 34,
             "AT&Z2=7"},
        Edge{"destination 0 with repeaters", {{"mode", "5"}, {"Z0_Dest", "0"}, {"Z0_Rpt1", "3"}, {"Z0_Rpt2", "4"}},
             36, "AT&Z0="},
        Edge{"five repeaters and destination 0",
             {{"mode", "5"},
              {"Z3_Rpt1", "1"},
              {"Z3_Rpt2", "2"},
              {"Z3_Rpt3", "3"},
              {"Z3_Rpt4", "4"},
              {"Z3_Rpt5", "5"}},
             35, "AT&Z3=1,2,3,4,5,0"},
        Edge{"longest list", {{"mode", "5"}, {"Z0_Rpt1", "127"}, {"Z0_Rpt2", "127"}, {"Z0_Rpt3", "127"},
                              {"Z0_Rpt4", "127"}, {"Z0_Rpt5", "127"}, {"Z0_Dest", "255"}},
             36, "AT&Z0=127,127,127,127,127,255"},
        Edge{"slave writes hidden destinations", {{"mode", "5"}, {"Z3_Dest", "8"}, {"mode", "4"}}, 35, "AT&Z3=8"},
        Edge{"transparent writes destinations empty", {{"mode", "5"}, {"Z1_Dest", "8"}, {"mode", "1"}}, 33,
             "AT&Z1="}));

TEST(CommandBuilder, BasicModelStillWritesS21) {
    StartedConfig s(ModelFamily::Basic);
    EXPECT_EQ(BuildConfigCommandList(s.config)[32], "ATS21=1");
}

TEST(CommandBuilder, AddToConfigCutsAt255) {
    ConfigCommandList list = TemplateCommandList();
    AddToConfig(list, 0, std::string(300, '7'));
    EXPECT_EQ(list[0].size(), kMaxConfigCommandLength);
    EXPECT_EQ(list[0].substr(0, 4), "ATB7");
    EXPECT_THROW(AddToConfig(list, kConfigCommandCount, "x"), std::out_of_range);
}

TEST(CommandBuilder, EveryBuildStartsFromTheTemplate) {
    StartedConfig s;
    s.config.Click(F::rb_CM_Single);
    s.Type(F::Z0_Dest, "9");
    const auto controlled = BuildConfigCommandList(s.config);
    s.config.Click(F::rb_TransMode);
    const auto transparent = BuildConfigCommandList(s.config);
    EXPECT_EQ(controlled[36], "AT&Z0=9");
    EXPECT_EQ(transparent[36], "AT&Z0=");
}

}  // namespace
}  // namespace qx
