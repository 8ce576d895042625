// The identification text, its version number and the S21 warning.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "config/firmware_identification.h"
#include "support/scratch_folder.h"
#include "support/scripted_prompter.h"

namespace qx {
namespace {

TEST(FirmwareIdentification, CutsTheIdentificationLineAtEachModelsName) {
    const ModelVariant main = ModelVariant::Main();
    const ModelVariant basic = ModelVariant::Basic();
    struct Case {
        const ModelVariant& running;
        const char* reply;
        const char* identification;
        const char* otherModel;
    };
    for (const Case& c : {
             Case{main, "ATI\r\nQX7T-R V1.89 Build 7\r\nOK\r\n", "QX7T-R V1.89 Build 7", ""},
             Case{main, "garbage QX7T-R V2.1\r\n", "QX7T-R V2.1", ""},
             Case{main, "X7T-R V2.1\r\n", "X7T-R V2.1", ""},           // marker first: from the start
             Case{main, "Modem V1.2\r\nmore\r\n", "Modem V1.2", ""},  // no model: from the start
             Case{main, "QX7T-R V1.89", "", ""},                       // no line end: nothing
             Case{main, "QX7T-R V1.89\r", "", ""},
             Case{main, "\r\nQX7T-R V1.9\r\n", "QX7T-R V1.9", ""},
             Case{main, "", "", ""},
             // Each model at its own name, not at the echoed "ATI".
             Case{basic, "ATI\r\r\nQX5T Radio Modem V1.95 SIM\r\n\r\nOK\r\n", "QX5T Radio Modem V1.95 SIM", ""},
             // The other model: cut at its name, and named.
             Case{main, "ATI\r\r\nQX5T Radio Modem V1.95\r\n", "QX5T Radio Modem V1.95", "QX5T"},
             Case{basic, "ATI\r\r\nQX7T-R Radio Modem V1.95\r\n", "QX7T-R Radio Modem V1.95", "QX7T-R"},
         }) {
        EXPECT_EQ(CutIdentificationText(c.reply, c.running), c.identification) << c.reply;
        EXPECT_EQ(OtherModelNamed(c.reply, c.running), c.otherModel) << c.reply;
    }
    // Bytes of every kind, NUL included, before the marker.
    const std::string binary("\0\xff\x01QX7T-R V1.5\r\n", 16);
    EXPECT_EQ(CutIdentificationText(binary, main), "QX7T-R V1.5");
}

TEST(FirmwareIdentification, VersionAndRemainder) {
    struct Case {
        const char* identification;
        double version;
        const char* remainder;
    };
    for (const Case& c : {Case{"QX7T-R V1.89 Build 7", 1.89, " Build 7"}, Case{"QX7T-R V2.1", 2.1, ""},
                          Case{"QX7T-R V1.90x", 1.9, "x"}, Case{"QX7T-R no version", 0, "QX7T-R no version"},
                          Case{"QX7T-R V1.2.3 b", 0, " b"}, Case{"QX7T-R V rest", 0, " rest"},
                          Case{"QX7T-R V.5", 0.5, ""}, Case{"QX7T-R V3.", 3, ""}, Case{"", 0, ""},
                          Case{"QX7T-R V1.89 V2.5", 1.89, " V2.5"}}) {
        const FirmwareVersion f = GetFirmwareVer(c.identification);
        EXPECT_DOUBLE_EQ(f.version, c.version) << c.identification;
        EXPECT_EQ(f.remainder, c.remainder) << c.identification;
    }
}

// A locale whose decimal separator is a comma: an installed one, or one
// compiled into a scratch folder when the locale compiler is at hand.
bool SwitchToCommaLocale(const test::ScratchFolder& folder) {
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8"})
        if (std::setlocale(LC_ALL, name)) return true;
    const std::string target = folder.Path("de_DE.UTF-8");
    const std::string command = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
    ::setenv("LOCPATH", folder.Root().c_str(), 1);
    const bool ok = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    ::unsetenv("LOCPATH");
    return ok;
}

TEST(FirmwareIdentification, CommaLocaleStillReadsAPoint) {
    test::ScratchFolder folder;
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!SwitchToCommaLocale(folder)) {
        std::setlocale(LC_ALL, saved.c_str());
        GTEST_SKIP() << "no locale with a decimal comma can be had here";
    }
    const std::string separator = std::localeconv()->decimal_point;
    const FirmwareVersion f = GetFirmwareVer("QX7T-R V1.89 x");
    const std::string status = FirmwareStatusText(GetFirmwareVer("QX7T-R V2.1"));
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(separator, ",");
    EXPECT_DOUBLE_EQ(f.version, 1.89);
    EXPECT_EQ(status, "  V2.10 ");
}

TEST(FirmwareIdentification, StatusLine) {
    EXPECT_EQ(FirmwareStatusText(GetFirmwareVer("QX7T-R V1.89 Build 7")), "  V1.89  Build 7");
    EXPECT_EQ(FirmwareStatusText(GetFirmwareVer("QX7T-R V1.9")), "  V1.90 ");
    EXPECT_EQ(FirmwareStatusText(GetFirmwareVer("QX7T-R")), "  V0.00 QX7T-R");
}

TEST(FirmwareIdentification, S21Warning) {
    const std::string text =
        "The connected module firmware version does not support \"Radio Message Signature\" adjustment.\n\r"
        "The Radio Message Signature in the connected module is fixed to 0.\n\r"
        "ALL QX7T-R that communicate with the connected module MUST have S21 = 0.\n\r"
        "Consult the QX7T-R user manual for further information";
    struct Case {
        double version;
        int reference;
        ModelFamily family;
        bool warns;
    };
    for (const Case& c : {Case{1.89, 1, ModelFamily::Main, true}, Case{1.5, 3, ModelFamily::Main, true},
                          Case{0, 1, ModelFamily::Main, true}, Case{1.891, 1, ModelFamily::Main, false},
                          Case{1.9, 1, ModelFamily::Main, false}, Case{2.1, 1, ModelFamily::Main, false},
                          Case{1.0, 0, ModelFamily::Main, false}, Case{1.0, 1, ModelFamily::Basic, false}}) {
        test::ScriptedPrompter prompter;
        const FirmwareJudge judge{c.reference, c.family, "QX7T-R"};
        EXPECT_EQ(CheckS21Support(c.version, judge, prompter), c.warns) << c.version;
        if (c.warns) {
            ASSERT_EQ(prompter.shown.size(), 1u);
            EXPECT_EQ(prompter.shown[0].text, text);
            EXPECT_EQ(prompter.shown[0].kind, MessageKind::Warning);
            EXPECT_EQ(prompter.shown[0].buttons, MessageButtons::Ok);
        } else {
            EXPECT_TRUE(prompter.shown.empty()) << c.version;
        }
    }
}

TEST(FirmwareIdentification, CheckFirmwareReadsThenJudges) {
    test::ScriptedPrompter prompter;
    const FirmwareVersion f = CheckFirmware("QX7T-R V1.89 b", FirmwareJudge{1, ModelFamily::Main, "QX7T-R"}, prompter);
    EXPECT_DOUBLE_EQ(f.version, 1.89);
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(CheckFirmware("no version", FirmwareJudge{1, ModelFamily::Main, "QX7T-R"}, prompter).version, 0);
    EXPECT_EQ(prompter.shown.size(), 2u);
}

}  // namespace
}  // namespace qx
