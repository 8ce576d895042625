// The readout parser on module listings and file lines, including the odd
// ones a real module or a damaged file can produce.

#include <gtest/gtest.h>

#include "config/command_builder.h"
#include "config/readout_parser.h"
#include "support/config_fixture.h"
#include "support/listing_builder.h"

namespace qx {
namespace {

using F = FieldId;
using test::Listing;
using test::StartedConfig;

// A configuration right after start-up (or a read's reset) and a parse of
// one listing into it.
struct Readout {
    explicit Readout(ModelFamily family = ModelFamily::Main) : s(family, 99) {}

    void Parse(const std::string& text, ReadoutSource source = ReadoutSource::Module) {
        reply = text;
        ProcessReadConfig(s.config, reply, s21Reference, source);
    }
    long V(F id) const { return s.config.Value(id); }
    std::vector<std::string> Messages() const { return s.prompter.Texts(); }

    StartedConfig s;
    std::string reply;
    int s21Reference = -1;
};

TEST(ReadoutParser, DefaultListingGivesTheDefaultCommands) {
    Readout r;
    r.Parse(Listing().Text());
    StartedConfig reference(ModelFamily::Main, 17);
    EXPECT_EQ(BuildConfigCommandList(r.s.config), BuildConfigCommandList(reference.config));
    EXPECT_TRUE(r.Messages().empty());
    EXPECT_EQ(r.V(F::ed_TM_SysAdd), 17);
    EXPECT_EQ(r.V(F::ed_CM_SysAdd), 17);
    // Only the tail from just before "S17" is left of the reply.
    EXPECT_EQ(r.reply.substr(0, 4), " S17");
}

TEST(ReadoutParser, PaddedListingAcrossLines) {
    // Values padded to three digits, items on several lines, a blank after
    // every value, S15 listed but never read.
    const std::string listing =
        "\r\nB0 C12 E1 Q0 V1 X2 &B14 &C1 &D1 &E0 &G004 &K5 &L3 &M2 &N1 &S200 &U009 \\T030 \r\n"
        "S0:001 S1:050 S2:043 S3:013 S4:010 S5:008 S6:000 S7:005 S8:000 S9:071 S10:001 \r\n"
        "S11:000 S12:000 S13:000 S14:255 S15:000 S16:000 S17:000 S18:120 S19:005 S20:100 S21:001 \r\n"
        "&Z0= \r\n&Z1=4,9 \r\n&Z2= \r\n&Z3= \r\n\r\nOK\r\n";
    Readout r;
    r.Parse(listing);
    EXPECT_EQ(r.s.config.Mode(), OperatingMode::AutoConnectSlave);
    const std::pair<F, long> expected[] = {
        {F::Serial_Baud, 12}, {F::Adv_Response, 2}, {F::Serial_Parity, 3}, {F::Serial_DTR, 1}, {F::ed_TM_GrpAdd1, 4},
        {F::Serial_Flow, 3},  {F::ed_CM_SysAdd, 200}, {F::ed_CM_UnitAdd, 9}, {F::Adv_LinkRst, 30}, {F::sreg_9, 71},
        {F::Z0_Dest, 0},      {F::Z1_Rpt1, 4},        {F::Z1_Dest, 9},       {F::sreg_21, 1}};
    for (auto [field, value] : expected) EXPECT_EQ(r.V(field), value) << Spec(field).name;
}

TEST(ReadoutParser, EchoedCommandBeforeTheListingIsCutAway) {
    // The echo "AT&V" carries a "V" ahead of the listing's own; the cut at
    // "Q" removes it before "V" is looked up.
    Readout r;
    r.Parse("AT&V\r\n" + Listing().Set("V", "0").Text());
    EXPECT_TRUE(r.s.config.Checked(F::Adv_Numeric));
}

struct ValueCase {
    const char* what;
    Listing listing;
    F field;
    long value;
};

class ReadoutValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ReadoutValues, SetsTheField) {
    const ValueCase& c = GetParam();
    Readout r;
    r.Parse(c.listing.Text());
    EXPECT_EQ(r.V(c.field), c.value) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadoutValues,
    ::testing::Values(
        ValueCase{"one digit C before a space", Listing().Set("C", "6"), F::Serial_Baud, 6},
        ValueCase{"two digit C", Listing().Set("C", "12"), F::Serial_Baud, 12},
        ValueCase{"radio data rate", Listing().Set("B", "2"), F::Radio_DataRate, 2},
        ValueCase{"radio data rate beyond the items clamps to the last", Listing().Set("B", "7"),
                  F::Radio_DataRate, 2},
        ValueCase{"echo 0 ticks Disable Local Echo", Listing().Set("E", "0"), F::Adv_Echo, 1},
        ValueCase{"Q 1 ticks Disable Response Codes", Listing().Set("Q", "1"), F::Adv_Resp, 1},
        ValueCase{"V 0 ticks numeric", Listing().Set("V", "0"), F::Adv_Numeric, 1},
        ValueCase{"X", Listing().Set("X", "3"), F::Adv_Response, 3},
        ValueCase{"&B 15 stop", Listing().Set("&B", "15"), F::Serial_Stop, 1},
        ValueCase{"&B 15 data", Listing().Set("&B", "15"), F::Serial_Data, 1},
        ValueCase{"&B 15 parity", Listing().Set("&B", "15"), F::Serial_Parity, 3},
        ValueCase{"&B 2 stop", Listing().Set("&B", "2"), F::Serial_Stop, 0},
        ValueCase{"&B 2 data", Listing().Set("&B", "2"), F::Serial_Data, 1},
        ValueCase{"&B 2 parity", Listing().Set("&B", "2"), F::Serial_Parity, 0},
        ValueCase{"&C", Listing().Set("&C", "2"), F::Serial_DCD, 2},
        ValueCase{"&E", Listing().Set("&E", "1"), F::Radio_Crc, 1},
        ValueCase{"&G", Listing().Set("&G", "200"), F::ed_TM_GrpAdd1, 200},
        ValueCase{"&G low 16 bits", Listing().Set("&G", "65541"), F::ed_TM_GrpAdd1, 5},
        ValueCase{"&G negative as unsigned, clamped", Listing().Set("&G", "-1"), F::ed_TM_GrpAdd1, 255},
        ValueCase{"&K 0", Listing().Set("&K", "0"), F::Serial_Flow, 0},
        ValueCase{"&K 3", Listing().Set("&K", "3"), F::Serial_Flow, 1},
        ValueCase{"&K 5", Listing().Set("&K", "5"), F::Serial_Flow, 3},
        ValueCase{"&K 7 is no item", Listing().Set("&K", "7"), F::Serial_Flow, -1},
        ValueCase{"&N 0 ticks Disable Abort", Listing().Set("&N", "0"), F::Adv_Abort, 1},
        ValueCase{"&S on the controlled side", Listing().Set("&S", "201"), F::ed_CM_SysAdd, 201},
        ValueCase{"\\T", Listing().Set("\\T", "30"), F::ed_CM_LinkRst, 30},
        ValueCase{"\\T mirror", Listing().Set("\\T", "30"), F::Adv_LinkRst, 30},
        ValueCase{"S1 050 is 1000 ms", Listing().Set("S1:", "050"), F::sreg_1, 1000},
        ValueCase{"S6 mirror", Listing().Set("S6:", "12"), F::ed_CM_LinkChk, 12},
        ValueCase{"S7 mirror", Listing().Set("S7:", "9"), F::ed_CM_SC_Attempts, 9},
        ValueCase{"S9 module", Listing().Set("S9:", "87"), F::sreg_9, 87},
        ValueCase{"S10 255 is 2550 ms", Listing().Set("S10:", "255"), F::sreg_10, 2550},
        ValueCase{"S11 mirror", Listing().Set("S11:", "4"), F::ed_CM_SC_Delay, 4},
        ValueCase{"S12 module", Listing().Set("S12:", "3"), F::sreg_12, 3},
        ValueCase{"S13 module", Listing().Set("S13:", "10"), F::sreg_13, 10},
        ValueCase{"S14 255", Listing().Set("S14:", "255"), F::sreg_14, 530},
        ValueCase{"S14 255 packet size", Listing().Set("S14:", "255"), F::Radio_PackSize, 530},
        ValueCase{"S14 0", Listing().Set("S14:", "0"), F::Radio_PackSize, 20},
        ValueCase{"S16 mirror", Listing().Set("S16:", "7"), F::Radio_TxHold, 7},
        ValueCase{"S17 mirror", Listing().Set("S17:", "8"), F::Radio_RxHold, 8},
        ValueCase{"no S18", Listing().Drop("S18:").Drop("S19:"), F::sreg_18, 0},
        ValueCase{"no S18, PLC off", Listing().Drop("S18:").Drop("S19:"), F::Modbus_CheckBox, 0},
        ValueCase{"S18 3, PLC on", Listing().Set("S18:", "3").Drop("S19:"), F::Modbus_CheckBox, 1},
        ValueCase{"S19 only, PLC on", Listing().Drop("S18:").Set("S19:", "4"), F::Modbus_CheckBox, 1},
        ValueCase{"S18 0 S19 0, PLC off", Listing().Set("S18:", "0").Set("S19:", "0"), F::Modbus_CheckBox, 0},
        ValueCase{"no S20 gives 100", Listing().Set("S20:", "7").Drop("S20:"), F::sreg_20, 100},
        ValueCase{"S20 not a number gives 100", Listing().Set("S20:", "x"), F::sreg_20, 100},
        ValueCase{"S20", Listing().Set("S20:", "7"), F::sreg_20, 7},
        ValueCase{"S21=", Listing().Rename("S21:", "S21=").Set("S21=", "2"), F::sreg_21, 2},
        ValueCase{"no S21 at all", Listing().Drop("S21:"), F::sreg_21, 0},
        ValueCase{"S21 not a number", Listing().Set("S21:", "?"), F::sreg_21, 0},
        ValueCase{"list 5,7,12: destination", Listing().Set("&Z0=", "5,7,12"), F::Z0_Dest, 12},
        ValueCase{"list 5,7,12: repeater 1", Listing().Set("&Z0=", "5,7,12"), F::Z0_Rpt1, 5},
        ValueCase{"list 5,7,12: repeater 2", Listing().Set("&Z0=", "5,7,12"), F::Z0_Rpt2, 7},
        ValueCase{"list 5,7,12: repeater 3", Listing().Set("&Z0=", "5,7,12"), F::Z0_Rpt3, 0},
        ValueCase{"six elements: destination", Listing().Set("&Z1=", "1,2,3,4,5,9"), F::Z1_Dest, 9},
        ValueCase{"six elements: repeater 5", Listing().Set("&Z1=", "1,2,3,4,5,9"), F::Z1_Rpt5, 5},
        ValueCase{"seventh element ignored", Listing().Set("&Z2=", "1,2,3,4,5,9,8"), F::Z2_Dest, 9},
        ValueCase{"five repeaters and 0: fifth is the destination", Listing().Set("&Z2=", "1,2,3,4,5,0"),
                  F::Z2_Dest, 5},
        ValueCase{"five repeaters and 0: repeater 5 stays 0", Listing().Set("&Z2=", "1,2,3,4,5,0"), F::Z2_Rpt5,
                  0},
        ValueCase{"9,0", Listing().Set("&Z3=", "9,0"), F::Z3_Dest, 9},
        ValueCase{"empty list", Listing().Set("&Z0=", ""), F::Z0_Dest, 0},
        ValueCase{"list at the very end, no space", Listing().Set("&Z3=", "4"), F::Z3_Dest, 4},
        ValueCase{"destination beyond 255 clamps", Listing().Set("&Z0=", "300"), F::Z0_Dest, 255},
        ValueCase{"repeater beyond 127 clamps", Listing().Set("&Z0=", "200,3"), F::Z0_Rpt1, 127}));

TEST(ReadoutParser, ListAsTheLastThingInTheReply) {
    Readout r;
    std::string text = Listing().Text();
    text = text.substr(0, text.find("&Z3=")) + "&Z3=6,8";
    r.Parse(text);
    EXPECT_EQ(r.V(F::Z3_Rpt1), 6);
    EXPECT_EQ(r.V(F::Z3_Dest), 8);
}

struct FailureCase {
    const char* what;
    std::string text;
    const char* message;
};

class ReadoutFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ReadoutFailures, EndWithAConversionError) {
    const FailureCase& c = GetParam();
    Readout r;
    try {
        r.Parse(c.text);
        FAIL() << c.what << ": no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), c.message) << c.what;
    }
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReadoutFailures,
    ::testing::Values(
        FailureCase{"one digit right before a line end", Replace(Listing().Text(), "C4 ", "C4\r\n"),
                    "'4\r' is not a valid integer value"},
        FailureCase{"one digit at the end of the text", "B", "'' is not a valid integer value"},
        FailureCase{"empty text", "", "'' is not a valid integer value"},
        FailureCase{"missing &K", Listing().Drop("&K").Text(), "'' is not a valid integer value"},
        FailureCase{"missing &M", Listing().Drop("&M").Text(), "'' is not a valid integer value"},
        FailureCase{"missing &S", Listing().Drop("&S").Text(), "'' is not a valid integer value"},
        FailureCase{"missing \\T", Listing().Drop("\\T").Text(), "'' is not a valid integer value"},
        FailureCase{"missing S0", Listing().Drop("S0:").Text(), "'' is not a valid integer value"},
        FailureCase{"missing S9 from a module", Listing().Drop("S9:").Text(), "'' is not a valid integer value"},
        FailureCase{"missing S14", Listing().Drop("S14:").Text(), "'' is not a valid integer value"},
        FailureCase{"missing S17", Listing().Drop("S17:").Text(), "'' is not a valid integer value"},
        FailureCase{"missing &Z2", Listing().Drop("&Z2=").Text(), "'' is not a valid integer value"},
        FailureCase{"empty number", Listing().Set("S3:", "").Text(), "'' is not a valid integer value"},
        FailureCase{"number with a letter", Listing().Set("&G", "1a").Text(), "'1a' is not a valid integer value"},
        FailureCase{"decimal number", Listing().Set("S8:", "1.5").Text(), "'1.5' is not a valid integer value"},
        FailureCase{"bad S18", Listing().Set("S18:", "z").Text(), "'z' is not a valid integer value"},
        FailureCase{"empty list element", Listing().Set("&Z1=", "3,,4").Text(), "'' is not a valid integer value"},
        FailureCase{"trailing comma", Listing().Set("&Z1=", "3,").Text(), "'' is not a valid integer value"},
        FailureCase{"list element not a number", Listing().Set("&Z1=", "3,x").Text(),
                    "'x' is not a valid integer value"}));

TEST(ReadoutParser, FieldsSetBeforeAFailureKeepTheirValues) {
    Readout r;
    EXPECT_THROW(r.Parse(Listing().Set("S0:", "9").Set("S5:", "x").Text()), EConvertError);
    EXPECT_EQ(r.V(F::sreg_0), 9);   // read before the failure
    EXPECT_EQ(r.V(F::sreg_14), 530);  // never reached: still the default
}

TEST(ReadoutParser, ListingThatStopsHalfWay) {
    const std::string full = Listing().Text();
    for (std::size_t n = 0; n <= full.size(); ++n) {
        Readout r;
        const std::string part = full.substr(0, n);
        if (part.find("&Z3") == std::string::npos) {
            EXPECT_THROW(r.Parse(part), EConvertError) << n;
        } else {
            EXPECT_NO_THROW(r.Parse(part)) << n;
        }
    }
}

TEST(ReadoutParser, FileSourceIgnoresTheModuleOnlyRegisters) {
    const std::string text = Listing().Set("S9:", "7").Set("S12:", "3").Set("S13:", "2").Text();
    Readout module;
    module.Parse(text, ReadoutSource::Module);
    Readout file;
    file.Parse(text, ReadoutSource::File);
    EXPECT_EQ(std::vector<long>({module.V(F::sreg_9), module.V(F::sreg_12), module.V(F::sreg_13)}),
              std::vector<long>({7, 3, 2}));
    EXPECT_EQ(std::vector<long>({file.V(F::sreg_9), file.V(F::sreg_12), file.V(F::sreg_13)}),
              std::vector<long>({0, 0, 0}));
    // And a file needs none of them.
    Readout bare;
    EXPECT_NO_THROW(bare.Parse(Listing().Drop("S9:").Drop("S12:").Drop("S13:").Text(), ReadoutSource::File));
}

TEST(ReadoutParser, S21ReferenceIsTheValueHeldBeforeS21IsRead) {
    Readout r;
    r.s.config.SetNumber(F::sreg_21, 3);
    r.Parse(Listing().Set("S21:", "0").Text());
    EXPECT_EQ(r.s21Reference, 3);
    EXPECT_EQ(r.V(F::sreg_21), 0);
}

// ---- Messages and the mode decision -------------------------------------

const std::string kFlow2 =
    "The saved configuration or module has a value of &&K2 for flow control.\r\n"
    "This value is not yet supported and has been changed to &&K3 (CTS/RTS).\r\n"
    "The module MUST be reprogrammed for the change to take effect.";

struct ModeCase {
    const char* what;
    Listing listing;
    ModelFamily family;
    OperatingMode mode;
    std::vector<std::pair<F, long>> fields;
    std::vector<std::string> messages;
};

class ReadoutModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ReadoutModes, SelectsTheModeAndSaysWhatItMust) {
    const ModeCase& c = GetParam();
    Readout r(c.family);
    ASSERT_NO_THROW(r.Parse(c.listing.Text())) << c.what;
    EXPECT_EQ(r.s.config.Mode(), c.mode) << c.what;
    for (auto [field, value] : c.fields) EXPECT_EQ(r.V(field), value) << c.what << ": " << Spec(field).name;
    EXPECT_EQ(r.Messages(), c.messages) << c.what;
    if (c.mode != OperatingMode::Transparent || c.family == ModelFamily::Main) {
        EXPECT_EQ(r.s.config.View().focusRequest, ModeRadioButton(c.mode)) << c.what;
    }
}

const std::string kUnit20 = "Error: Unit address of 20 is out of range. Reprogram module with a valid address.";
const std::string kUnit200 = "Error: Unit address of 200 is out of range. Reprogram module with a valid address.";
const char* kQuestion = test::kThresholdQuestion;

INSTANTIATE_TEST_SUITE_P(
    Table, ReadoutModes,
    ::testing::Values(
        ModeCase{"transparent, on-line", Listing(), ModelFamily::Main, OperatingMode::Transparent,
                 {{F::TM_Auto_OnLine, 1}, {F::rb_TransMode, 1}}, {}},
        ModeCase{"transparent, not on-line", Listing().Set("&L", "0"), ModelFamily::Main,
                 OperatingMode::Transparent, {{F::TM_Auto_OnLine, 0}}, {}},
        ModeCase{"repeater", Listing().Set("&M", "1").Set("&U", "9"), ModelFamily::Main,
                 OperatingMode::TransparentRepeater, {{F::ed_TM_GrpAdd2, 9}, {F::rb_TM_Rpt, 1}}, {}},
        ModeCase{"M=1 L=2: invalid mode, on-line untouched", Listing().Set("&M", "1").Set("&L", "2"),
                 ModelFamily::Main, OperatingMode::TransparentRepeater, {{F::TM_Auto_OnLine, 1}},
                 {kInvalidModeMessage}},
        ModeCase{"single-connect from L=0", Listing().Set("&M", "2").Set("&L", "0"), ModelFamily::Main,
                 OperatingMode::SingleConnect, {{F::rb_CM_Single, 1}}, {}},
        ModeCase{"single-connect from L=1", Listing().Set("&M", "2"), ModelFamily::Main,
                 OperatingMode::SingleConnect, {}, {}},
        ModeCase{"master keeps the unit and destination read",
                 Listing().Set("&M", "2").Set("&L", "2").Set("&U", "5").Set("&Z0=", "33"), ModelFamily::Main,
                 OperatingMode::AutoConnectMaster, {{F::ed_CM_UnitAdd, 5}, {F::Z0_Dest, 33}}, {}},
        ModeCase{"slave from L=3", Listing().Set("&M", "2").Set("&L", "3").Set("&U", "4"), ModelFamily::Main,
                 OperatingMode::AutoConnectSlave, {{F::ed_CM_UnitAdd, 4}, {F::Z0_Dest, 2}}, {}},
        ModeCase{"slave from L=9", Listing().Set("&M", "2").Set("&L", "9"), ModelFamily::Main,
                 OperatingMode::AutoConnectSlave, {}, {}},
        ModeCase{"fast with unit 20", Listing().Set("&M", "3").Set("&L", "2").Set("&U", "20"), ModelFamily::Main,
                 OperatingMode::AutoConnectMaster, {{F::chk_CM_Fast, 1}, {F::ed_CM_UnitAdd, 15}, {F::ed_TM_GrpAdd2, 15}},
                 {kQuestion, kUnit20}},
        ModeCase{"unit 200 without fast", Listing().Set("&M", "2").Set("&U", "200"), ModelFamily::Main,
                 OperatingMode::SingleConnect, {{F::ed_CM_UnitAdd, 127}, {F::ed_TM_GrpAdd2, 127}}, {kUnit200}},
        ModeCase{"transparent unit 200: clamped silently", Listing().Set("&U", "200"), ModelFamily::Main,
                 OperatingMode::Transparent, {{F::ed_CM_UnitAdd, 127}, {F::ed_TM_GrpAdd2, 200}}, {}},
        ModeCase{"flow control 2", Listing().Set("&K", "2"), ModelFamily::Main, OperatingMode::Transparent,
                 {{F::Serial_Flow, 1}}, {kFlow2}},
        ModeCase{"flow control 1", Listing().Set("&K", "1"), ModelFamily::Main, OperatingMode::Transparent,
                 {{F::Serial_Flow, 1}}, {Replace(kFlow2, "&&K2", "&&K1")}},
        ModeCase{"flow control 4: silent", Listing().Set("&K", "4"), ModelFamily::Main, OperatingMode::Transparent,
                 {{F::Serial_Flow, 2}}, {}},
        ModeCase{"fast mode on the basic model: defaults, rest ignored",
                 Listing().Set("&M", "3").Set("&L", "2").Set("C", "6").Set("S0:", "9"), ModelFamily::Basic,
                 OperatingMode::Transparent,
                 {{F::Serial_Baud, 4}, {F::sreg_0, 1}, {F::chk_CM_Fast, 0}, {F::sreg_18, 129}},
                 {kFastModeRejectedMessage}}));

TEST(ReadoutParser, ShownFlowControlMessageHasSingleAmpersands) {
    EXPECT_NE(ShownMessageText(kFlow2).find("value of &K2 for"), std::string::npos);
}

TEST(ReadoutParser, TransparentRepeaterDtrCascade) {
    // The DTR rule runs before the mode is chosen: option 3 ticks Low Power
    // Mode, and the repeater rule then clears it again, which restores the
    // remembered DTR choice (0 after the reset).
    Readout repeater;
    repeater.Parse(Listing().Set("&D", "3").Set("&M", "1").Text());
    EXPECT_EQ(repeater.V(F::Serial_DTR), 0);
    EXPECT_FALSE(repeater.s.config.Checked(F::chk_CM_LowPow));

    // Transparent is already checked after the reset: its rule does not run.
    Readout transparent;
    transparent.Parse(Listing().Set("&D", "3").Text());
    EXPECT_EQ(transparent.V(F::Serial_DTR), 3);
    EXPECT_TRUE(transparent.s.config.Checked(F::chk_CM_LowPow));

    // In a controlled mode Low Power Mode stays ticked.
    Readout controlled;
    controlled.Parse(Listing().Set("&D", "3").Set("&M", "2").Text());
    EXPECT_EQ(controlled.V(F::Serial_DTR), 3);
    EXPECT_TRUE(controlled.s.config.Checked(F::chk_CM_LowPow));

    // Option 1 is remembered: Low Power Mode on and off returns to it.
    Readout one;
    one.Parse(Listing().Set("&D", "1").Set("&M", "2").Text());
    one.s.config.Click(F::chk_CM_LowPow);
    one.s.config.Click(F::chk_CM_LowPow);
    EXPECT_EQ(one.V(F::Serial_DTR), 1);
}

TEST(ReadoutParser, SerialRateBeyondTheListLeavesNoSelectionAndDefaultsStillWork) {
    // Found by fuzzing: "C47" leaves the serial rate list without a
    // selection; resetting to defaults afterwards must not fail on the
    // threshold question that the data-rate reset asks.
    Readout r;
    r.Parse(Listing().Set("C", "47").Set("B", "2").Text());
    EXPECT_EQ(r.V(F::Serial_Baud), -1);
    r.s.prompter.Clear();
    EXPECT_NO_THROW(r.s.config.SetDefaults());
    EXPECT_EQ(r.V(F::Serial_Baud), 4);
    EXPECT_EQ(r.V(F::sreg_18), 120);
}

TEST(ReadoutParser, FlushBufferUpTo) {
    struct Case {
        long position;
        const char* left;
    };
    for (const Case& c : {Case{-5, "abcdef"}, Case{0, "abcdef"}, Case{1, "abcdef"}, Case{2, "bcdef"},
                          Case{6, "f"}, Case{7, ""}, Case{1000, ""}}) {
        StartedConfig s;
        std::string text = "abcdef";
        int reference = 0;
        ConfigReadout(s.config, text, reference).FlushBufferUpTo(c.position);
        EXPECT_EQ(text, c.left) << c.position;
    }
}

TEST(ReadoutParser, GetAndTryGetConfigValue) {
    StartedConfig s;
    std::string text = "A1 K70000 N-2 Z";
    int reference = 0;
    ConfigReadout readout(s.config, text, reference);
    EXPECT_EQ(readout.GetConfigValue("K"), 70000 - 65536);
    EXPECT_EQ(readout.GetConfigValue("N"), 65534);
    EXPECT_EQ(readout.TryGetConfigValue("Y"), 0);
    EXPECT_THROW(readout.GetConfigValue("Y"), EConvertError);
    EXPECT_THROW(readout.TryGetConfigValue("Z"), EConvertError);  // present, but empty
}

}  // namespace
}  // namespace qx
