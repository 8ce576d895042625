// The window and the module history, against the simulator with the
// history in a real SQLite file: what its Read, Configure (backed up or
// not), Compare and Restore keep; the Module History list with its filters,
// Open, Compare with Module and Save As; and a history that cannot be
// written, told once on the window's own thread.

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <fstream>

#include "core_file_commands.h"
#include "history/history_store.h"
#include "module_history_dialog.h"
#include "progress_window.h"
#include "qt_file_dialogs.h"
#include "sim_window.h"
#include "suites.h"
#include "support/scratch_folder.h"

namespace qx::test {
namespace {

using gui::MainMenuActions;

// Oldest first, with their configurations.
std::vector<HistoryEntry> Entries(const std::string& path) {
    std::vector<HistoryEntry> all;
    HistoryStore store(path);
    for (const auto& listed : store.List()) all.insert(all.begin(), *store.Get(listed.id));
    return all;
}

std::string Kinds(const std::vector<HistoryEntry>& entries) {
    std::string kinds;
    for (const HistoryEntry& e : entries) kinds += (kinds.empty() ? "" : " ") + std::string(HistoryKindName(e.kind));
    return kinds;
}

template <typename T>
T* ActiveModal() {
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

class ModuleHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void eachCommandKeepsWhatItDidToTheModule() {
        const struct {
            QAction* MainMenuActions::*item;
            bool backup;
            const char* kinds;
            const char* command;
        } rows[] = {
            {&MainMenuActions::Comm_Read, false, "read", "Read"},
            {&MainMenuActions::Comm_Configure, false, "written", "Configure"},
            {&MainMenuActions::Comm_Configure, true, "before-write written", "Configure"},
            {&MainMenuActions::Comm_Compare, false, "read", "Compare with Module"},
            // The item names Configure: a restore is not backed up.
            {&MainMenuActions::Adv_Defaults, true, "restored-defaults", "Restore Factory Defaults"},
        };
        for (const auto& row : rows) {
            SimWindow s;
            QAction* backup = s.Menu(&MainMenuActions::Comm_Backup);
            QVERIFY(backup->isCheckable());
            QVERIFY(!backup->isChecked());  // off at every start
            backup->setChecked(row.backup);
            s.w.prompter.SetDefaultAnswer(Answer::Yes);
            // Only Compare shows the differences (a watcher left waiting would take a later test's).
            const bool compares = row.item == &MainMenuActions::Comm_Compare;
            const auto compared = compares ? WhenCompareShown() : nullptr;
            RunCommand(s.Menu(row.item), 120000);
            const auto entries = Entries(s.HistoryFile());
            QCOMPARE(Kinds(entries), std::string(row.kinds));
            for (const HistoryEntry& e : entries) {
                QCOMPARE(e.program, std::string("Cfg_QX7TR"));
                QCOMPARE(e.command, std::string(row.command));
                QCOMPARE(e.port, std::string("COM1"));
                QCOMPARE(e.device, s.Link());
                QCOMPARE(e.outcome, std::string("done"));
            }
            if (compares) QVERIFY(compared->shown);
        }
    }

    void theListOpensComparesAndSavesAnEntry() {
        SimWindow s;
        // Open loads through the window's own file commands.
        s.w.form.SetFileCommands(
            std::make_unique<gui::CoreFileCommands>(s.w.workspace, std::make_unique<gui::QtFileDialogs>(&s.w.form)));
        const QString folder = QDir::currentPath();  // Save As moves it to the folder chosen
        RunCommand(s.Menu(&MainMenuActions::Comm_Read));  // 1: the module as it was (S20 100)
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 9);
        RunCommand(s.Menu(&MainMenuActions::Comm_Configure));  // 2: written, S20 9
        const std::vector<HistoryEntry> kept = Entries(s.HistoryFile());
        QCOMPARE(Kinds(kept), std::string("read written"));
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 50);  // a change not saved
        s.w.form.RefreshCaption();
        const std::string saved = s.dir.File("saved.X7R");

        struct Seen {
            int rows = -1;
            int rowsOfAnotherPort = -1;
            int rowsOfTheAddress = -1;
            int rowsOfAnotherAddress = -1;
            std::shared_ptr<CompareSeen> compared;
        };
        auto seen = std::make_shared<Seen>();
        WhenTrue([] { return ActiveModal<gui::ModuleHistoryDialog>() != nullptr; },
                 [seen, &s, saved, address = std::to_string(*kept[0].systemAddress)] {
                     auto* dialog = ActiveModal<gui::ModuleHistoryDialog>();
                     if (!dialog) return;
                     seen->rows = dialog->Table()->rowCount();
                     dialog->PortFilter()->setEditText(QStringLiteral("COM2"));
                     seen->rowsOfAnotherPort = dialog->Table()->rowCount();
                     dialog->PortFilter()->setEditText(QString());
                     dialog->AddressFilter()->setText(QString::fromStdString(address + "/1"));
                     seen->rowsOfTheAddress = dialog->Table()->rowCount();
                     dialog->AddressFilter()->setText(QStringLiteral("254/9"));
                     seen->rowsOfAnotherAddress = dialog->Table()->rowCount();
                     dialog->AddressFilter()->clear();
                     // The oldest: the module before the write.
                     dialog->Table()->selectRow(1);
                     seen->compared = WhenCompareShown();
                     dialog->CompareButton()->click();
                     WhenFileDialogShown(saved);
                     dialog->SaveAsButton()->click();
                     s.w.prompter.Script({Answer::No});  // not to save the change first
                     dialog->OpenButton()->click();
                 },
                 60000);
        RunCommand(s.Menu(&MainMenuActions::Comm_History), 120000);

        QCOMPARE(seen->rows, 2);
        QCOMPARE(seen->rowsOfAnotherPort, 0);
        QCOMPARE(seen->rowsOfTheAddress, 2);  // the module kept its address through the write
        QCOMPARE(seen->rowsOfAnotherAddress, 0);
        QVERIFY(seen->compared && seen->compared->shown);
        QCOMPARE(seen->compared->compared, std::string("Entry ") + std::to_string(kept[0].id));
        const bool s20Differs = std::any_of(seen->compared->rows.begin(), seen->compared->rows.end(), [](const auto& r) {
            return r[0].find("S20") != std::string::npos && r[1] == "100" && r[2] == "9";
        });
        QVERIFY(s20Differs);
        QCOMPARE(ReadWholeFile(saved), kept[0].configuration);
        // Open: asked about the change first, then the entry is the working configuration.
        QCOMPARE(s.w.prompter.shown.back().text, std::string("Save changes to this configuration?"));
        QCOMPARE(s.w.workspace.config.Value(FieldId::sreg_20), 100L);
        QVERIFY(s.w.workspace.currentFileName.empty());
        QVERIFY(!s.w.form.windowTitle().startsWith(QLatin1Char('*')));
        // The comparison's read was kept too.
        QCOMPARE(Kinds(Entries(s.HistoryFile())), std::string("read written read"));
        QDir::setCurrent(folder);
    }

    void aHistoryThatCannotBeWrittenIsToldOnceAfterTheOperation() {
        SimWindow s;
        std::ofstream(s.HistoryFile()) << std::string(8192, 'x');
        bool progressShownAtNotice = true;
        bool onWindowThread = false;
        s.w.prompter.onShow = [&](const Message&) {
            progressShownAtNotice = s.w.form.Progress().isVisible();
            onWindowThread = QThread::currentThread() == qApp->thread();
        };
        RunCommand(s.Menu(&MainMenuActions::Comm_Read));
        s.w.workspace.config.SetNumber(FieldId::sreg_20, 9);
        RunCommand(s.Menu(&MainMenuActions::Comm_Configure));
        QCOMPARE(s.w.prompter.shown.size(), std::size_t{1});
        QCOMPARE(s.w.prompter.shown[0].kind, MessageKind::Warning);
        QVERIFY2(s.w.prompter.shown[0].text.rfind("History not kept: " + s.HistoryFile() + " is damaged", 0) == 0,
                 s.w.prompter.shown[0].text.c_str());
        QVERIFY(onWindowThread);
        QVERIFY(!progressShownAtNotice);
        // The operations ran to their end, and the damaged file is left as it was.
        QCOMPARE(s.w.workspace.config.Value(FieldId::sreg_20), 9L);
        QCOMPARE(ReadWholeFile(s.HistoryFile()), std::string(8192, 'x'));
    }
};

}  // namespace

std::unique_ptr<QObject> MakeModuleHistoryTest() { return std::make_unique<ModuleHistoryTest>(); }

}  // namespace qx::test

#include "module_history_test.moc"
