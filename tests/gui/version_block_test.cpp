// The version block the build writes into the executable, read back from
// the file.

#include <QCoreApplication>
#include <QTemporaryFile>

#include "app/version_block.h"
#include "gui_fixture.h"
#include "help_about_form.h"
#include "qt_text.h"
#include "suites.h"

namespace qx::test {
namespace {

std::string OwnPath() { return gui::FromQ(QCoreApplication::applicationFilePath()); }

class VersionBlockTest : public QObject {
    Q_OBJECT

private slots:
    void theRunningExecutableCarriesItsBlock() {
        const VersionStrings s = ReadVersionStrings(OwnPath());
        QCOMPARE(s.names, (std::vector<std::string>{"CompanyName", "FileDescription", "FileVersion", "InternalName",
                                                    "LegalCopyright", "OriginalFilename", "ProductName",
                                                    "ProductVersion"}));
        QCOMPARE(FindVersionString(s, "FileVersion"), std::string(QX_EXPECTED_VERSION ".0." QX_EXPECTED_BUILD));
        QCOMPARE(FindVersionString(s, "ProductName"), std::string("KORVA QX7T-R Configuration"));
    }

    void keysAreFoundWhateverTheirCase() {
        const VersionStrings s = ReadVersionStrings(OwnPath());
        QCOMPARE(FindVersionString(s, "fileversion"), FindVersionString(s, "FileVersion"));
        QCOMPARE(FindVersionString(s, "COMPANYNAME"), std::string("KORVA"));
        QCOMPARE(FindVersionString(s, "Comments"), std::string());
    }

    void versionTextIsMajorMinorAndBuild() {
        const VersionText t = GetVersionText(OwnPath());
        QCOMPARE(t.majorMinor, std::string(QX_EXPECTED_VERSION));
        QCOMPARE(t.build, std::string(QX_EXPECTED_BUILD));
        QCOMPARE(SplitFileVersion("1.61.0.27").majorMinor, std::string("1.61"));
        QCOMPARE(SplitFileVersion("1.61.0.27").build, std::string("27"));
        QCOMPARE(gui::VersionLabelText(SplitFileVersion("1.61.0.27")), QStringLiteral("Version 1.61"));
    }

    void noBlockGivesNothingAndTheLabelSaysUnknown() {
        QVERIFY(ReadVersionStrings(QX_UNVERSIONED_PATH).names.empty());  // an ELF file without the block
        QVERIFY(ReadVersionStrings("/nonexistent/Cfg_QX7TR").names.empty());
        QTemporaryFile notElf;
        QVERIFY(notElf.open());
        notElf.write("not an executable at all, but long enough to hold an ELF header's worth of bytes.....");
        notElf.close();
        QVERIFY(ReadVersionStrings(gui::FromQ(notElf.fileName())).names.empty());
        QCOMPARE(gui::VersionLabelText(GetVersionText(QX_UNVERSIONED_PATH)), QStringLiteral("Version unknown"));
    }

    void aBlockWithoutTranslationYieldsNoKeys() {
        using namespace std::string_view_literals;
        QVERIFY(ParseVersionBlock("StringFileInfo\\040904E4\\FileVersion=1.2.3.4\0\0"sv).names.empty());
    }

    void readingStopsAtTheFirstMissingKey() {
        using namespace std::string_view_literals;
        const auto block =
            "Translation=040904E4\0"
            "StringFileInfo\\040904E4\\CompanyName=KORVA\0"
            "StringFileInfo\\040904E4\\FileDescription=\0"
            "StringFileInfo\\040904E4\\FileVersion=2.5.0.1\0"
            "StringFileInfo\\040904E4\\ProductName=never read\0\0"sv;
        const VersionStrings s = ParseVersionBlock(block);
        // FileDescription is empty (left out); InternalName is missing, so
        // nothing after it is read.
        QCOMPARE(s.names, (std::vector<std::string>{"CompanyName", "FileVersion"}));
        QCOMPARE(FindVersionString(s, "ProductName"), std::string());
    }
};

}  // namespace

std::unique_ptr<QObject> MakeVersionBlockTest() { return std::make_unique<VersionBlockTest>(); }

}  // namespace qx::test

#include "version_block_test.moc"
