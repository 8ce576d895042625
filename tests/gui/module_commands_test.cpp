// The window's module commands against the simulator: Read, Configure and
// Cancel through the progress window, the restore question, the transmit
// test's caption, and a port that cannot be opened.

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <filesystem>

#include "ber_test_form.h"
#include "progress_window.h"
#include "sim_window.h"
#include "suites.h"

namespace qx::test {
namespace {

using gui::MainMenuActions;

std::vector<std::string> ErrorsShown(const ScriptedPrompter& prompter) {
    std::vector<std::string> errors;
    for (const Message& m : prompter.shown)
        if (m.kind == MessageKind::Error) errors.push_back(m.text);
    return errors;
}

class ModuleCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void readFillsTheWindowThroughTheProgressWindow() {
        SimWindow s;
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 9);  // the read must replace it
        QString modalTitle;
        WhenModalShown([&](QWidget* modal) { modalTitle = modal->windowTitle(); });
        RunCommand(s.Menu(&MainMenuActions::Comm_Read));
        QCOMPARE(modalTitle, QStringLiteral("Module Configuration"));
        QVERIFY(!s.w.form.Progress().isVisible());
        QCOMPARE(ErrorsShown(s.w.prompter), std::vector<std::string>{});
        QCOMPARE(s.w.workspace.config.Value(FieldId::sreg_20), 100L);
        QCOMPARE(s.w.form.Progress().Bar()->value(), s.w.form.Progress().Bar()->maximum());
        QVERIFY2(s.w.Find<QLabel>("StatusBar1")->text().startsWith(QStringLiteral("  V")),
                 qPrintable(s.w.Find<QLabel>("StatusBar1")->text()));
        // The log shows the listing line by line, no empty lines, its end in view.
        auto* memo = s.w.Find<QPlainTextEdit>("Memo1");
        const QString log = memo->toPlainText();
        QVERIFY2(log.contains(QStringLiteral("\nS0:001 ")), qPrintable(log));
        QVERIFY(!log.contains(QStringLiteral("\n\n")));
        QVERIFY(!log.contains(QLatin1Char('\r')));
        QVERIFY(memo->verticalScrollBar()->maximum() > 0);
        QCOMPARE(memo->verticalScrollBar()->value(), memo->verticalScrollBar()->maximum());
    }

    void configureThenReadBack() {
        SimWindow s;
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 9);
        RunCommand(s.Menu(&MainMenuActions::Comm_Configure));
        QCOMPARE(ErrorsShown(s.w.prompter), std::vector<std::string>{});
        QCOMPARE(s.w.form.Progress().Bar()->value(), s.w.form.Progress().Bar()->maximum());
        QVERIFY(std::filesystem::exists(s.StateFile()));
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 50);
        RunCommand(s.Menu(&MainMenuActions::Comm_Read));
        QCOMPARE(ErrorsShown(s.w.prompter), std::vector<std::string>{});
        QCOMPARE(s.w.workspace.config.Value(FieldId::sreg_20), 9L);
    }

    void closingTheProgressWindowCancelsAConfigureBeforeTheStore() {
        SimWindow s;
        gui::ProgressWindow& progress = s.w.form.Progress();
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 9);
        // The close box, once the command list is on its way.
        const auto cancelled = WhenTrue([&] { return progress.isVisible() && progress.Bar()->value() >= 5; },
                                        [&] { progress.close(); });
        RunCommand(s.Menu(&MainMenuActions::Comm_Configure));
        QVERIFY(*cancelled);
        QVERIFY(!progress.isVisible());
        QVERIFY2(progress.Bar()->value() < progress.Bar()->maximum(), "the operation ran to its end");
        QCOMPARE(ErrorsShown(s.w.prompter), std::vector<std::string>{});
        QVERIFY2(!std::filesystem::exists(s.StateFile()), "the module stored the configuration");
    }

    void restoreAnsweredNoDoesNothing() {
        SimWindow s(ModuleOnLink::Missing);  // were anything sent, opening the port would fail
        // Not to save the change, then not to restore.
        s.w.prompter.Script({Answer::No, Answer::No});
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 9);
        RunCommand(s.Menu(&MainMenuActions::Adv_Defaults));
        QCOMPARE(s.w.prompter.shown.size(), std::size_t{2});
        QCOMPARE(s.w.prompter.shown[0].text, std::string("Save changes to this configuration?"));
        QCOMPARE(s.w.prompter.shown[1].kind, MessageKind::Warning);
        QCOMPARE(s.w.prompter.shown[1].buttons, MessageButtons::YesNo);
        QVERIFY(s.w.prompter.shown[1].text.find("restore factory defaults") != std::string::npos);
        QCOMPARE(s.w.workspace.config.Value(FieldId::sreg_20), 9L);
    }

    void aPortThatCannotOpenShowsItsOwnTextAndNoTestWindow() {
        SimWindow s(ModuleOnLink::Missing);
        // The slot's name, and on a second line the missing device.
        const std::string notPresent = "COM1- This port may be already in use or not present.\nNo such device: " +
                                       s.w.form.Ports().PathFor(0) + " (see: Communication > Com Port Settings)";
        RunCommand(s.Menu(&MainMenuActions::Diag_RSSI));
        QCOMPARE(ErrorsShown(s.w.prompter), std::vector<std::string>{notPresent});
        QVERIFY(s.w.form.findChildren<gui::TBERTestForm*>().isEmpty());

        s.w.prompter.Clear();
        RunCommand(s.Menu(&MainMenuActions::Diag_TxBer));
        QCOMPARE(ErrorsShown(s.w.prompter), std::vector<std::string>{notPresent});
        QCOMPARE(s.Menu(&MainMenuActions::Diag_TxBer)->text(), QStringLiteral("Start Tx BER Test"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void transmitTestCaptionFollowsEachClick() {
        SimWindow s;
        QAction* item = s.Menu(&MainMenuActions::Diag_TxBer);
        RunCommand(item);
        QCOMPARE(s.w.prompter.Texts(), std::vector<std::string>{"Transmit Bit Error Rate Test started."});
        QCOMPARE(item->text(), QStringLiteral("Stop Tx BER Test"));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        s.w.prompter.Clear();
        RunCommand(item);
        QCOMPARE(s.w.prompter.Texts(), std::vector<std::string>{"Transmit Bit Error Rate Test stopped."});
        QCOMPARE(item->text(), QStringLiteral("Start Tx BER Test"));
    }
};

}  // namespace

std::unique_ptr<QObject> MakeModuleCommandsTest() { return std::make_unique<ModuleCommandsTest>(); }

}  // namespace qx::test

#include "module_commands_test.moc"
