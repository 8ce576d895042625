// The window keeps the user's work: a refused file is no current file, the
// caption marks unsaved changes and the commands that would lose them ask
// first, the focus returns to the field the user was in, another model's
// file is fitted and named, no text is cut, and the log of the session
// holds every exchange. Against the simulator: a test is stopped at exit,
// and a test's start is cancelled behind the progress window.

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <deque>

#include "ber_test_form.h"
#include "compare_dialog.h"
#include "core_file_commands.h"
#include "esc_char_edit_form.h"
#include "find_module_dialog.h"
#include "help_about_form.h"
#include "progress_window.h"
#include "recent_files.h"
#include "serial_settings_form.h"
#include "sim_window.h"
#include "suites.h"
#include "support/scratch_folder.h"
#include "text_fit.h"

namespace qx::test {
namespace {

using gui::MainMenuActions;

// A file of the main model in Single-Connect with Fast Operation, S21 3 and
// the radio rate of item 2 (115200 on the main model, 76800 on the basic).
const std::string kFastFile =
    " ATB2 ATC4 ATE1 ATQ0 ATV1 ATX0 AT&B2 AT&C1 AT&D0 AT&E0 AT&G1 AT&K4 AT&L0 AT&N1 AT&M3 AT&S240 AT&U1 AT\\T0 "
    "ATS0:1 ATS1:50 ATS2:43 ATS3:13 ATS4:10 ATS5:8 ATS6:0 ATS7:5 ATS8:0 ATS10:1 ATS11:0 ATS14:255 ATS16:0 "
    "ATS17:0 ATS18:120 ATS19:5 ATS20:100 ATS21:3 AT&Z1= AT&Z2= AT&Z3= AT&Z0= \r\n";

// File dialogs that answer from a script and note what was asked.
class ScriptedDialogs final : public FileDialogs {
public:
    std::optional<std::string> AskOpenPath() override { return Next("open"); }
    std::optional<std::string> AskSavePath() override { return Next("save"); }

    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> asked;

private:
    std::optional<std::string> Next(const char* what) {
        asked.emplace_back(what);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A started window with the real file commands on scripted dialogs.
struct FileWindow {
    explicit FileWindow(ModelVariant variant = ModelVariant::Main()) : w(std::move(variant)) {
        auto d = std::make_unique<ScriptedDialogs>();
        dialogs = d.get();
        w.form.SetFileCommands(std::make_unique<gui::CoreFileCommands>(w.workspace, std::move(d)));
    }
    StartedWindow w;
    ScriptedDialogs* dialogs = nullptr;
    ScratchFolder folder;
};

void Trigger(QAction* action) {
    action->trigger();
    QCoreApplication::processEvents();
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += line + "\n";
    return all;
}

// The lines of the session's log that hold `text`.
int LogLinesWith(gui::TMainForm& form, const std::string& text) {
    int count = 0;
    for (const std::string& line : form.Session().Lines()) count += line.find(text) != std::string::npos;
    return count;
}

class UserWorkTest : public QObject {
    Q_OBJECT

private slots:
    void aRefusedFileIsNoCurrentFileAndSaveAsksForAName() {
        FileWindow f(ModelVariant::Basic());
        const std::string fast = f.folder.Write("fast.X7R", kFastFile);
        f.dialogs->answers = {fast};
        Trigger(f.w.form.Menu().File_Open);
        const auto texts = f.w.prompter.Texts();
        QVERIFY(std::any_of(texts.begin(), texts.end(), [](const std::string& t) {
            return t.starts_with("Fast Controlled Mode operation has been detected.");
        }));
        QCOMPARE(f.w.form.windowTitle(), QStringLiteral("QX5T Configuration"));
        Trigger(f.w.form.Menu().File_Save);
        QCOMPARE(f.dialogs->asked, (std::vector<std::string>{"open", "save"}));
        QCOMPARE(ReadWholeFile(fast), kFastFile);
    }

    // The basic model has no S21, and item 2 of its radio rates is 76800.
    void anotherModelsFileIsFittedAndTheChangesNamed() {
        FileWindow f(ModelVariant::Basic());
        std::string line = kFastFile;
        line.replace(line.find("AT&M3"), 5, "AT&M2");
        f.dialogs->answers = {f.folder.Write("main.X7R", line)};
        Trigger(f.w.form.Menu().File_Open);
        // The radio rate asks its threshold question as it is read; then one warning.
        std::vector<std::string> warnings;
        for (const Message& m : f.w.prompter.shown)
            if (m.kind == MessageKind::Warning) warnings.push_back(m.text);
        QCOMPARE(warnings.size(), std::size_t{1});
        QCOMPARE(warnings[0],
                 std::string("This file was made for another model than the QX5T. These settings were changed:\r\n"
                             "S21 Radio Message Signature: 3, now 1 (the QX5T has no such setting)\r\n"
                             "Radio Data Rate: 115200 on the QX7T-R, now 76800"));
        QCOMPARE(f.w.workspace.config.Value(FieldId::sreg_21), 1L);
        QVERIFY(!f.w.form.Modified());
    }

    // Each command that replaces the fields, and Exit, with each answer.
    void unsavedChangesAreMarkedAndOfferedForSaving() {
        struct Row {
            const char* command;
            Answer answer;
            std::vector<std::string> files;   // the file commands that ran
            std::vector<std::string> module;  // the module commands that ran
            bool closed;
        };
        const Row rows[] = {
            {"Exit", Answer::Yes, {"Save"}, {"StopTests"}, true},
            {"Exit", Answer::No, {}, {"StopTests"}, true},
            {"Exit", Answer::Cancel, {}, {}, false},
            {"New", Answer::Yes, {"Save", "New"}, {}, false},
            {"Open", Answer::No, {"Open"}, {}, false},
            {"Read", Answer::Cancel, {}, {}, false},
            {"Read", Answer::No, {}, {"Read"}, false},
        };
        for (const Row& row : rows) {
            const QString what = QString("%1 answered %2").arg(row.command).arg(static_cast<int>(row.answer));
            StartedWindow w;
            QCOMPARE(w.form.windowTitle(), QStringLiteral("QX7T-R Configuration"));
            TypeInto(w.Find("sreg_16"), "33");
            QVERIFY2(w.form.windowTitle().startsWith('*'), qPrintable(what));
            w.prompter.Script({row.answer});
            const std::string command = row.command;
            if (command == "Exit") w.form.close();
            if (command == "New") Trigger(w.form.Menu().File_New);
            if (command == "Open") Trigger(w.form.Menu().File_Open);
            if (command == "Read") Trigger(w.form.Menu().Comm_Read);
            QCOMPARE(w.prompter.shown.at(0).text, std::string("Save changes to this configuration?"));
            QCOMPARE(w.prompter.shown.at(0).buttons, MessageButtons::YesNoCancel);
            QVERIFY2(w.files->calls == row.files, qPrintable(what));
            QVERIFY2(w.module->calls == row.module, qPrintable(what));
            QCOMPARE(w.form.isVisible(), !row.closed);
            // Saved or replaced: no mark; kept: the mark stays.
            const bool kept = row.answer == Answer::Cancel;
            if (!row.closed) QVERIFY2(w.form.windowTitle().startsWith('*') == kept, qPrintable(what));
        }
    }

    void recentFilesAndTheShortcuts() {
        FileWindow f;
        for (int i = 0; i < 6; ++i) {
            f.dialogs->answers = {f.folder.Write("site" + std::to_string(i) + ".X7R", kFastFile)};
            Trigger(f.w.form.Menu().File_Open);
        }
        const QStringList paths = f.w.form.Recent().Paths();
        QCOMPARE(paths.size(), 5);
        QVERIFY(paths[0].endsWith("site5.X7R"));
        QVERIFY(paths[4].endsWith("site1.X7R"));
        auto* third = f.w.form.findChild<QAction*>("File_Recent3");
        QVERIFY(third->text().endsWith("site3.X7R"));
        Trigger(third);
        QVERIFY(f.w.workspace.currentFileName.ends_with("site3.X7R"));
        QVERIFY(f.w.form.Recent().Paths()[0].endsWith("site3.X7R"));

        QCOMPARE(f.w.form.Menu().File_Open->shortcut(), QKeySequence(QKeySequence::Open));
        // Ctrl+S from a field being edited saves what the field will hold.
        f.dialogs->answers = {f.folder.Path("saved.X7R")};
        f.w.workspace.currentFileName.clear();
        TypeInto(f.w.Find("Radio_TxHold"), "999");
        QTest::keyClick(f.w.Find("Radio_TxHold"), Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY(ReadWholeFile(f.folder.Path("saved.X7R")).find(" ATS16:255 ") != std::string::npos);
        QVERIFY(!f.w.form.windowTitle().startsWith('*'));
        QTRY_VERIFY(f.w.Find("Radio_TxHold")->hasFocus());
    }

    // Whatever the command, the focus goes back to the field it came from.
    void theFocusReturnsToTheFieldAfterEveryCommand() {
        StartedWindow w;
        const MainMenuActions& m = w.form.Menu();
        for (QAction* action : {m.Comm_Configure, m.Comm_Compare, m.Comm_Find, m.Diag_TxBer, m.Diag_RxBer, m.File_Save}) {
            QWidget* field = w.Find("Radio_TxHold");
            field->setFocus(Qt::MouseFocusReason);
            QTRY_VERIFY(field->hasFocus());
            Trigger(action);
            QTRY_VERIFY2(field->hasFocus(), qPrintable(action->objectName()));
        }
        auto* toolbarSave = w.form.findChild<QToolButton*>("tb_Save");
        TypeInto(w.Find("Radio_RxHold"), "7");
        QTest::mouseClick(toolbarSave, Qt::LeftButton);
        QTRY_VERIFY(w.Find("Radio_RxHold")->hasFocus());
    }

    // The log keeps its keys; the test window starts at Start.
    void theLogMovesByKeyAndTheTestWindowOpensOnStart() {
        StartedWindow w;
        auto* memo = w.Find<QPlainTextEdit>("Memo1");
        memo->setPlainText("one\ntwo\nthree");
        memo->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(memo->hasFocus());
        QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(memo->textCursor().position(), 0);
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(memo->textCursor().position(), memo->toPlainText().size());

        gui::TBERTestForm test(&w.form);
        test.show();
        QVERIFY(QTest::qWaitForWindowActive(&test, 10000));
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("btn_StartStop"));
    }

    // Every label and button of every window has room for its text.
    void noWindowCutsItsText() {
        StartedWindow w;
        std::vector<std::unique_ptr<QWidget>> windows;
        windows.push_back(std::make_unique<gui::TSerialSettingsForm>());
        windows.push_back(std::make_unique<gui::TEscCharEdit_Form>());
        auto about = std::make_unique<gui::TForm_HelpAbout>();
        about->FillAboutBox(ModelFamily::Main, VersionText{"1.61", "27"});
        windows.push_back(std::move(about));
        windows.push_back(std::make_unique<gui::TBERTestForm>());
        windows.push_back(std::make_unique<gui::ProgressWindow>());
        windows.push_back(std::make_unique<gui::CompareDialog>(
            gui::kVerifyTitle, std::vector<gui::DifferenceRow>{{"Operating Mode", "Auto-Connect Master",
                                                                "Single-Connect", ""}}));
        for (const auto& window : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get(), 10000));
            QVERIFY2(gui::CutTexts(window.get()).isEmpty(), qPrintable(gui::CutTexts(window.get()).join("; ")));
        }
        // The main window, page by page.
        for (QTabWidget* pages : w.form.findChildren<QTabWidget*>()) {
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                QVERIFY2(gui::CutTexts(&w.form).isEmpty(), qPrintable(gui::CutTexts(&w.form).join("; ")));
            }
        }
    }

    // Find Module, Compare and the transmit test: all in the session's log.
    void theSessionLogHoldsEveryExchange() {
        SimWindow s;
        // The search first: the module, in command mode, answers at once.
        WhenTrue(
            [] {
                auto* find = qobject_cast<gui::FindModuleDialog*>(QApplication::activeModalWidget());
                return find && find->Finished();
            },
            [] { QApplication::activeModalWidget()->close(); }, 60000);
        RunCommand(s.Menu(&MainMenuActions::Comm_Find));
        const int searchLines = static_cast<int>(s.w.form.Session().Lines().size());
        QVERIFY2(LogLinesWith(s.w.form, "> ATI\\r") == 1,  // its identification
                 qPrintable(QString::fromStdString(Joined(s.w.form.Session().Lines()))));
        WhenTrue([] { return qobject_cast<gui::CompareDialog*>(QApplication::activeModalWidget()) != nullptr; },
                 [] { QApplication::activeModalWidget()->close(); }, 60000);
        RunCommand(s.Menu(&MainMenuActions::Comm_Compare));
        RunCommand(s.Menu(&MainMenuActions::Diag_TxBer));
        QVERIFY(searchLines >= 3);                            // a header, the probe and its answer
        QCOMPARE(LogLinesWith(s.w.form, "> AT&V\\r"), 1);    // the comparison's read
        QCOMPARE(LogLinesWith(s.w.form, "> AT&T0\\r"), 1);   // the test
        // A header for each channel: the search's, the comparison's, the test's.
        QVERIFY(LogLinesWith(s.w.form, "# Cfg_QX7TR") >= 3);
        QVERIFY(s.w.form.Session().Lines().front().starts_with("# Cfg_QX7TR"));
    }

    // A silent module: the start runs behind the progress window, whose
    // Cancel ends it at once, and the test is not taken for started.
    void cancelEndsATestStartAtOnce() {
        SimWindow s(ModuleOnLink::Simulated, {"--fault", "silent"});
        gui::ProgressWindow& progress = s.w.form.Progress();
        using Clock = std::chrono::steady_clock;
        auto cancelledAt = std::make_shared<Clock::time_point>();
        WhenTrue([&progress] { return progress.isVisible(); },
                 [&progress, cancelledAt] {
                     QTimer::singleShot(300, &progress, [&progress, cancelledAt] {
                         *cancelledAt = Clock::now();
                         progress.CancelOperation();
                     });
                 });
        RunCommand(s.Menu(&MainMenuActions::Diag_TxBer));
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - *cancelledAt);
        QVERIFY2(took.count() < 3000, qPrintable(QString::number(took.count())));
        QCOMPARE(s.Menu(&MainMenuActions::Diag_TxBer)->text(), QStringLiteral("Start Tx BER Test"));
        QVERIFY(s.w.prompter.shown.empty());
    }

    // Exit stops a transmit test left running; when the stop fails the user
    // chooses.
    void exitStopsTheTransmitTest() {
        struct Row {
            const char* what;
            bool moduleGone;
            Answer exitAnyway;
            bool closed;
        };
        const Row rows[] = {
            {"stopped", false, Answer::Yes, true},
            {"stop failed, stay", true, Answer::No, false},
            {"stop failed, exit", true, Answer::Yes, true},
        };
        for (const Row& row : rows) {
            SimWindow s;
            QAction* tx = s.Menu(&MainMenuActions::Diag_TxBer);
            RunCommand(tx);
            QCOMPARE(tx->text(), QStringLiteral("Stop Tx BER Test"));
            if (row.moduleGone) s.sim->Kill();
            s.w.prompter.Clear();
            s.w.prompter.Script({row.exitAnyway});
            s.w.form.close();
            QVERIFY2(s.w.form.isVisible() == !row.closed, row.what);
            if (row.moduleGone) {
                QCOMPARE(s.w.prompter.shown.back().text,
                         std::string("The Tx BER Test could not be stopped: the module may go on transmitting.\r\n"
                                     "Exit anyway?"));
            } else {
                QCOMPARE(s.w.prompter.Texts(), std::vector<std::string>{"Transmit Bit Error Rate Test stopped."});
                QCOMPARE(LogLinesWith(s.w.form, "> ATZ\\r"), 1);
                QCOMPARE(tx->text(), QStringLiteral("Start Tx BER Test"));
            }
        }
    }
};

}  // namespace

std::unique_ptr<QObject> MakeUserWorkTest() { return std::make_unique<UserWorkTest>(); }

}  // namespace qx::test

#include "user_work_test.moc"
