// The find scan's order and how it reads an identification.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "operations/module_finder.h"

namespace qx {
namespace {

HostSerialSettings Make(int baud, int parity, int data, int stop, int port = 2) {
    return {static_cast<std::uint8_t>(port), static_cast<std::uint8_t>(baud), static_cast<std::uint8_t>(data),
            static_cast<std::uint8_t>(stop), static_cast<std::uint8_t>(parity)};
}

std::vector<std::string> Texts(const std::vector<HostSerialSettings>& order) {
    std::vector<std::string> texts;
    for (const auto& s : order) texts.push_back(SettingsText(s));
    return texts;
}

TEST(FindOrder, CurrentFirstThen9600N81ThenTheOtherRatesThenTheOtherFormats) {
    const auto order = FindOrder(Make(5, 2, 0, 0));  // 19200 E-7-1 on COM3
    ASSERT_EQ(order.size(), 60u);
    const auto texts = Texts(order);
    EXPECT_EQ(texts[0], "19200 E-7-1");
    EXPECT_EQ(texts[1], "9600 N-8-1");
    // The other eleven rates with N-8-1 before any other format.
    for (std::size_t i = 1; i <= 12; ++i) EXPECT_TRUE(texts[i].ends_with("N-8-1")) << i << ' ' << texts[i];
    EXPECT_EQ(texts[2], "19200 N-8-1");
    EXPECT_EQ(texts[13], "9600 E-7-1");
    EXPECT_EQ(texts.back(), "76800 O-7-2");
    // Every setting once, all on the current port.
    EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), 60u);
    EXPECT_TRUE(std::all_of(order.begin(), order.end(), [](const auto& s) { return s.PortIndex == 2; }));
}

TEST(FindOrder, TheDefaultSettingsAreNotTriedTwice) {
    const auto texts = Texts(FindOrder(Make(3, 0, 1, 0)));
    ASSERT_EQ(texts.size(), 60u);
    EXPECT_EQ(texts[0], "9600 N-8-1");
    EXPECT_EQ(texts[1], "19200 N-8-1");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "9600 N-8-1"), 1);
}

TEST(FindOrder, ASettingOutsideTheFiveFormatsIsTriedFirstAndTheRestStill) {
    const auto texts = Texts(FindOrder(Make(0, 1, 1, 1)));  // 1200 O-8-2
    ASSERT_EQ(texts.size(), 61u);
    EXPECT_EQ(texts[0], "1200 O-8-2");
    EXPECT_EQ(texts[1], "9600 N-8-1");
}

struct IdentificationCase {
    const char* reply;
    const char* line;
};

class Identification : public ::testing::TestWithParam<IdentificationCase> {};

TEST_P(Identification, IsTheFirstLineThatIsNotEchoOrResult) {
    EXPECT_EQ(IdentificationLine(GetParam().reply), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Identification,
    ::testing::Values(IdentificationCase{"ATI\r\r\nQX7T-R Radio Modem V1.95 SIM\r\n\r\nOK\r\n",
                                         "QX7T-R Radio Modem V1.95 SIM"},
                      IdentificationCase{"\r\nQX5T Radio Modem V1.80\r\n\r\nOK\r\n", "QX5T Radio Modem V1.80"},
                      IdentificationCase{"QX7T-R V2.01\r\n0\r", "QX7T-R V2.01"},  // numeric results, no echo
                      IdentificationCase{"ATI\r\r\nOK\r\n", ""}, IdentificationCase{"\r\nERROR\r\n", ""},
                      IdentificationCase{"4\r", ""}, IdentificationCase{"", ""},
                      IdentificationCase{"ATI\r", ""}));

}  // namespace
}  // namespace qx
