// The rules the window, qxcfg and the operations share: what this computer
// can make of the module's serial settings, and the model records.

#include <gtest/gtest.h>

#include "app/model_variant.h"
#include "config/module_serial.h"
#include "operations/host_follows_module.h"

namespace qx {
namespace {

TEST(ModuleSerial, RatesThisComputerCanFollow) {
    // By ATC code: the host rate that follows, none where it cannot.
    const std::optional<int> follows[] = {115200, 1200,  2400,         4800,  9600,  14400,        19200,
                                          28800,  std::nullopt, 38400, 57600, std::nullopt, 115200, std::nullopt};
    for (int code = 0; code < static_cast<int>(kModuleSerialRates.size()); ++code) {
        const auto expected = follows[code];
        EXPECT_EQ(HostCanUseModuleRate(code), expected.has_value()) << code;
        EXPECT_EQ(HostCanUseRate(kModuleSerialRates[static_cast<std::size_t>(code)]), expected.has_value()) << code;
        // 31250 and 76800 have host indexes, used when a file is loaded.
        const auto index = HostBaudIndexForModuleRate(code);
        if (expected) {
            EXPECT_EQ(kHostBaudRates[*index], *expected) << code;
        }
    }
    EXPECT_FALSE(HostBaudIndexForModuleRate(13));
    for (int outside : {-1, 14, 99}) {
        EXPECT_TRUE(HostCanUseModuleRate(outside)) << outside;
        EXPECT_FALSE(HostBaudIndexForModuleRate(outside)) << outside;
    }
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
