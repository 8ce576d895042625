#include <gtest/gtest.h>

#include "app/model_variant.h"

namespace qx {
namespace {

struct VariantCase {
    const char* path;
    std::optional<ModelFamily> family;  // no value: "Filename Error!"
};

class ModelVariantTest : public ::testing::TestWithParam<VariantCase> {};

TEST_P(ModelVariantTest, SelectsFromTheFileNameOnly) {
    const auto& c = GetParam();
    const auto v = SelectModelVariant(c.path);
    ASSERT_EQ(v.has_value(), c.family.has_value()) << c.path;
    if (v) {
        EXPECT_EQ(v->Family, *c.family) << c.path;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ModelVariantTest,
    ::testing::Values(VariantCase{"Cfg_QX7TR", ModelFamily::Main}, VariantCase{"/opt/x/bin/Cfg_QX7TR", ModelFamily::Main},
                      VariantCase{"./Cfg_QX5T", ModelFamily::Basic},
                      VariantCase{"QX5_and_QX7", ModelFamily::Main},  // "QX7" is tested first
                      VariantCase{"cfg_qx7tr", std::nullopt},          // case-sensitive
                      VariantCase{"/home/QX7/Cfg_tool", std::nullopt},  // a directory does not count
                      VariantCase{"/home/QX7/", std::nullopt}, VariantCase{"", std::nullopt},
                      VariantCase{"QX", std::nullopt}));

TEST(ModelVariant, VariantsCarryTheirTexts) {
    const auto main = *SelectModelVariant("Cfg_QX7TR");
    EXPECT_EQ(main.WindowCaption, "QX7T-R Configuration");
    EXPECT_EQ(main.ProductName, "QX7T-R");
    const auto basic = *SelectModelVariant("Cfg_QX5T");
    EXPECT_EQ(basic.WindowCaption, "QX5T Configuration");
    EXPECT_EQ(basic.ProductName, "QX5T");
}

}  // namespace
}  // namespace qx
