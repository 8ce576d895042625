// The rules the window, qxcfg and the operations share: what this computer
// can make of the module's serial settings, and the model records.

#include <gtest/gtest.h>

#include "app/model_variant.h"
#include "app/module_rates.h"
#include "config/module_serial.h"
#include "serial/host_serial_settings.h"

namespace qx {
namespace {

// The two answers to "can this computer use the module's rate": the rules'
// (Configure follows it, picking it warns of nothing) and this computer's
// port (it can be set to it: every rate of its list here).
TEST(ModuleSerial, RatesTheRulesFollowAndRatesThisComputerReaches) {
    struct Row {
        int code;
        bool followed;
        std::optional<int> reachedAt;  // this computer's rate, none where it cannot be set
    };
    for (const Row& row : {Row{0, true, 115200}, Row{4, true, 9600}, Row{5, true, 14400}, Row{8, false, 31250},
                           Row{11, false, 76800}, Row{12, true, 115200}, Row{13, false, std::nullopt}}) {
        EXPECT_EQ(HostFollowsModuleRate(row.code), row.followed) << row.code;
        const auto index = HostRateIndexFor(row.code);
        ASSERT_EQ(index.has_value(), row.reachedAt.has_value()) << row.code;
        if (index) {
            EXPECT_EQ(HostRateBitsPerSecond(*index), row.reachedAt) << row.code;
        }
    }
    for (int outside : {-1, 14, 99}) {
        EXPECT_TRUE(HostFollowsModuleRate(outside)) << outside;
        EXPECT_FALSE(HostRateIndexFor(outside)) << outside;
    }
}

// The module's format text (serial.format) has its own test beside the
// setting keys; this computer's has no "Zero" parity.
TEST(ModuleSerial, ThisComputersFormatTextHasNoZeroParity) {
    EXPECT_EQ(ParseSerialFormatText("e-7-1", kHostParityLetters), (SerialFormat{.parity = 2, .data = 0, .stop = 0}));
    EXPECT_FALSE(ParseSerialFormatText("Z-8-1", kHostParityLetters));
    EXPECT_EQ(SerialFormatText({.parity = 1, .data = 0, .stop = 1}, kHostParityLetters), "O-7-2");
    EXPECT_FALSE(SerialFormatText({.parity = 3, .data = 1, .stop = 0}, kHostParityLetters));
}

TEST(ModuleSerial, FormatFlowControlAndParityCodesGoBothWays) {
    for (long code = 0; code < 16; ++code) EXPECT_EQ(SerialFormatCode(SerialFormatFromCode(code)), code);
    EXPECT_EQ(SerialFormatCode(SerialFormatFromCode(-1)), 15);  // the low four bits
    for (int item = 0; item < static_cast<int>(kFlowControlCodes.size()); ++item)
        EXPECT_EQ(FlowControlItem(FlowControlCode(item)), item);
    EXPECT_FALSE(FlowControlItem(1));
    EXPECT_EQ(FlowControlCode(7), 7);  // written as it is
    EXPECT_EQ((std::array{HostParity(0), HostParity(1), HostParity(2), HostParity(3)}), (std::array{0, 0, 1, 2}));
}

TEST(ModelRecords, EachModelIsFoundByItsNamesAndFeatures) {
    for (const ModelRecord* model : kModels) {
        const auto byProgram = SelectModelVariant("/opt/bin/Cfg_" + std::string(model->programNameMark));
        ASSERT_TRUE(byProgram) << model->productName;
        EXPECT_EQ(byProgram->Family, model->family);
        EXPECT_EQ(&VariantByProductName(model->productName)->Record(), model);
        for (ModelFeature f : {ModelFeature::FastControlledOperation, ModelFeature::S21}) {
            const auto names = ModelsWith(f);
            EXPECT_EQ(std::find(names.begin(), names.end(), model->productName) != names.end(), Has(*model, f));
        }
    }
    EXPECT_EQ(ProductNames(" or "), "QX7T-R or QX5T");
}

}  // namespace
}  // namespace qx
