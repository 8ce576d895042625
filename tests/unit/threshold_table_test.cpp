// Every cell of the S18/S19 table for the default packet size of 530 bytes,
// worked out as the user gets it: with PLC Mode on, a pick of the serial
// rate offers to recompute both registers, and Yes does.

#include <gtest/gtest.h>

#include "config/integer_text.h"
#include "support/config_fixture.h"

namespace qx {
namespace {

using test::StartedConfig;

constexpr int kEither = -1;  // the exact value is 0: 0 or 1 are both right

struct Row {
    int serialIndex;
    int s19;
    // Main R0..R2, Main with Fast Operation R0..R2, Basic R0..R2
    std::array<int, 9> s18;
};

constexpr Row kTable[] = {
    {0, 1, {0, 0, 0, 0, 0, kEither, 0, 0, 0}},
    {12, 1, {0, 0, 0, 0, 0, kEither, 0, 0, 0}},
    {1, 34, {247, 255, 255, 249, 255, 255, 248, 255, 255}},
    {2, 17, {229, 251, 255, 232, 254, 255, 231, 248, 255}},
    {3, 9, {193, 237, 248, 199, 243, 254, 197, 230, 247}},
    {4, 5, {120, 208, 230, 133, 221, 243, 129, 195, 229}},
    {5, 3, {47, 179, 212, 67, 199, 232, 61, 160, 210}},
    {6, 3, {0, 150, 194, kEither, 177, 221, 0, 125, 192}},
    {7, 2, {0, 93, 159, 0, 133, 199, 0, 55, 155}},
    {8, 2, {0, 78, 150, 0, 122, 194, 0, 37, 145}},
    {9, 2, {0, 35, 123, 0, 89, 177, 0, 0, 118}},
    {10, 1, {0, 0, 52, 0, kEither, 133, 0, 0, 44}},
    {11, 1, {0, 0, 0, 0, 0, 89, 0, 0, 0}},
    {13, 1, {0, 0, 0, 0, 0, 50, 0, 0, 0}},
};

TEST(ThresholdTable, EveryCellForPacketSize530) {
    for (int column = 0; column < 9; ++column) {
        const bool basic = column >= 6;
        const bool fast = column >= 3 && column < 6;
        StartedConfig s(basic ? ModelFamily::Basic : ModelFamily::Main);
        auto& c = s.config;
        s.prompter.SetDefaultAnswer(Answer::Yes);
        if (fast) c.SetChecked(FieldId::chk_CM_Fast, true);
        c.SetChoice(FieldId::Radio_DataRate, column % 3);
        for (const Row& row : kTable) {
            c.PickItem(FieldId::Serial_Baud, row.serialIndex);
            const long s18 = c.Value(FieldId::sreg_18);
            const std::string where = "column " + std::to_string(column) + " serial index " +
                                      std::to_string(row.serialIndex);
            if (row.s18[column] == kEither)
                EXPECT_TRUE(s18 == 0 || s18 == 1) << where << " gave " << s18;
            else
                EXPECT_EQ(s18, row.s18[column]) << where;
            EXPECT_EQ(c.Value(FieldId::sreg_19), row.s19) << where;
        }
    }
}

TEST(ThresholdTable, SmallerPacketsGiveSmallerThresholds) {
    struct Case {
        int packet, serialIndex, s18;
    };
    for (const Case& k : {Case{100, 1, 46}, Case{100, 4, 12}, Case{20, 1, 8}, Case{20, 4, 0}}) {
        StartedConfig s;
        s.prompter.SetDefaultAnswer(Answer::Yes);
        s.config.SetNumber(FieldId::sreg_14, k.packet);
        s.config.PickItem(FieldId::Serial_Baud, k.serialIndex);
        EXPECT_EQ(s.config.Value(FieldId::sreg_18), k.s18) << k.packet << " bytes at index " << k.serialIndex;
    }
}

TEST(ThresholdTable, ClearingSetsBothToZero) {
    StartedConfig s;
    s.prompter.SetDefaultAnswer(Answer::Yes);
    s.config.Click(FieldId::Modbus_CheckBox);  // PLC Mode off
    EXPECT_EQ(s.config.Value(FieldId::sreg_18), 0);
    EXPECT_EQ(s.config.Value(FieldId::sreg_19), 0);
}

TEST(ThresholdTable, NoSerialRateSelectedIsAConversionFailure) {
    StartedConfig s;
    s.config.SetChoice(FieldId::Serial_Baud, 99);  // a drop-down shows no selection
    EXPECT_EQ(s.config.Field(FieldId::Serial_Baud).choice, -1);
    s.prompter.SetDefaultAnswer(Answer::Yes);
    EXPECT_THROW(s.config.PickItem(FieldId::Radio_DataRate, 1), EConvertError);
}

}  // namespace
}  // namespace qx
