#include <gtest/gtest.h>

#include <clocale>

#include "app/escape_character.h"
#include "app/prompter.h"
#include "app/version_format.h"
#include "config/integer_text.h"

namespace qx {
namespace {

TEST(EscapeCharacter, StartsAsPlusAndStaysInRange) {
    EscapeCharacter e;
    EXPECT_EQ(e.Code(), 43);
    EXPECT_EQ(e.Sequence(), "+++");
    e.Set(35);
    EXPECT_EQ(e.Sequence(), "###");
    e.Set(300);
    EXPECT_EQ(e.Code(), 255);
    e.Set(0);
    EXPECT_EQ(e.Code(), 1);
    e.Reset();
    EXPECT_EQ(e.Code(), 43);
}

TEST(ShownMessageText, DoubledAmpersandShowsAsOne) {
    EXPECT_EQ(ShownMessageText("S18 && S19"), "S18 & S19");
    EXPECT_EQ(ShownMessageText("&&&&"), "&&");
    EXPECT_EQ(ShownMessageText("a & b"), "a & b");
    EXPECT_EQ(ShownMessageText("&"), "&");
}

TEST(ParseInteger, AcceptsOnlyWholeDecimalNumbers) {
    struct Case {
        const char* text;
        std::optional<long> value;
    };
    for (const Case& c : {Case{"0", 0}, Case{"050", 50}, Case{"+7", 7}, Case{"-12", -12}, Case{"2147483647", 2147483647L},
                          Case{"-2147483648", -2147483648L}, Case{"2147483648", std::nullopt}, Case{"", std::nullopt},
                          Case{"-", std::nullopt}, Case{"+", std::nullopt}, Case{"1.5", std::nullopt},
                          Case{" 1", std::nullopt}, Case{"1 ", std::nullopt}, Case{"0x10", std::nullopt},
                          Case{"99999999999999999999", std::nullopt}}) {
        EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
    }
    EXPECT_THROW(StrToInt("abc"), EConvertError);
    try {
        StrToInt("3,,4");
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'3,,4' is not a valid integer value");
    }
}

TEST(VersionFormat, ReadsAndShowsWithAPointWhateverTheLocale) {
    // A locale with a decimal comma, where one is installed, must change nothing.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    for (const char* loc : {"de_DE.UTF-8", "fr_FR.UTF-8", "C"}) std::setlocale(LC_ALL, loc);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");

    EXPECT_EQ(ParseVersionNumber("1.89"), 1.89);
    EXPECT_EQ(ParseVersionNumber("2"), 2.0);
    EXPECT_EQ(ParseVersionNumber("1."), 1.0);
    EXPECT_EQ(ParseVersionNumber("1.2.3"), std::nullopt);
    EXPECT_EQ(ParseVersionNumber(""), std::nullopt);
    EXPECT_EQ(ParseVersionNumber("."), std::nullopt);
    EXPECT_EQ(ParseVersionNumber("1,89"), std::nullopt);

    EXPECT_EQ(FormatVersionNumber(1.9), "1.90");
    EXPECT_EQ(FormatVersionNumber(2.1), "2.10");
    EXPECT_EQ(FormatVersionNumber(1.89), "1.89");
    EXPECT_EQ(FormatVersionNumber(12.345), "12.30");
    EXPECT_EQ(FormatVersionNumber(0), "0.00");
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace qx
