// The Find Module and Compare dialogs and the Save Log helper, driven
// through their real widgets. The find scan talks to a scripted module
// behind the serial device seam, which answers only at one rate and can be
// held in the middle of a read.

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <mutex>

#include "compare_dialog.h"
#include "config/configuration_comparison.h"
#include "files/communication_log_file.h"
#include "find_module_dialog.h"
#include "gui_fixture.h"
#include "log_saver.h"
#include "operations/session_log.h"
#include "serial/comqx7_object.h"
#include "serial/serial_errors.h"
#include "suites.h"
#include "support/config_fixture.h"
#include "support/scratch_folder.h"

namespace qx::test {
namespace {

// The line the scripted module sits on: it answers at `answerRate` only.
struct ScriptedLine {
    int answerRate = 19200;
    std::mutex mutex;
    std::condition_variable changed;
    bool hold = false;     // reads wait while true
    int readsWaiting = 0;  // reads held right now
};

class ScriptedModuleDevice : public SerialDevice {
public:
    explicit ScriptedModuleDevice(std::shared_ptr<ScriptedLine> line) : line_(std::move(line)) {}

    OpenStatus Open(const std::string&, const LineSettings& settings) override {
        rate_ = settings.rate.value_or(0);
        open_ = true;
        return OpenStatus::Opened;
    }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    void SetTimeouts(const CommTimeouts& t) override { timeouts_ = t; }
    CommTimeouts Timeouts() const override { return timeouts_; }
    std::optional<int> CurrentRate() const override { return rate_; }
    std::optional<std::string> Read(std::size_t) override {
        std::unique_lock lock(line_->mutex);
        ++line_->readsWaiting;
        line_->changed.notify_all();
        line_->changed.wait(lock, [&] { return !line_->hold; });
        --line_->readsWaiting;
        std::string text = pending_;
        pending_.clear();
        return text;
    }
    bool Write(const std::string& text) override {
        if (rate_ != line_->answerRate) return true;
        if (text == "\r") pending_ = "\r\nOK\r\n";
        if (text == "ATI\r") pending_ = "\r\nQX7T-R Radio Modem V2.00 FAKE\r\n\r\nOK\r\n";
        return true;
    }
    void Purge(unsigned flags) override {
        if (flags & kPurgeInput) pending_.clear();
    }
    CtsState Cts() const override { return CtsState::CannotTell; }

private:
    std::shared_ptr<ScriptedLine> line_;
    int rate_ = 0;
    bool open_ = false;
    CommTimeouts timeouts_;
    std::string pending_;
};

ChannelFactory FactoryFor(std::shared_ptr<ScriptedLine> line) {
    return [line](const HostSerialSettings& settings) {
        return std::make_unique<TCOMQX7Object>(settings, ChannelSetup{"QX7T-R", {}, PortMap{}},
                                               std::make_unique<ScriptedModuleDevice>(line));
    };
}

// Short waits: the scripted module answers at once.
constexpr FindTimings kQuick{.probeWait = std::chrono::milliseconds(1),
                             .escapeGuard = std::chrono::milliseconds(0),
                             .escapeReplyWait = std::chrono::milliseconds(1),
                             .identifyWait = std::chrono::milliseconds(1)};

HostSerialSettings Defaults() {
    HostSerialSettings s;
    SetDefaultSerialSettings(s, true);
    return s;
}

std::string FileText(const std::string& path) { return ReadWholeFile(path); }

class FeatureDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void FindShowsTheModuleFoundAndTakesItsSettingsOnYes() {
        auto line = std::make_shared<ScriptedLine>();
        gui::FindModuleDialog dialog(Defaults(), FactoryFor(line), nullptr, kQuick);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Finished(), 20000);
        QCOMPARE(dialog.StatusText(),
                 QString("Found at 19200 N-8-1:\nQX7T-R Radio Modem V2.00 FAKE\n\nUse these settings?"));
        QVERIFY(dialog.Result().Found());
        QCOMPARE(dialog.Result().attempts, std::size_t{2});  // 9600 N-8-1, then 19200 N-8-1
        QCOMPARE(int(dialog.Result().settings.BaudIndex), 5);
        QPushButton* yes = dialog.Buttons()->button(QDialogButtonBox::Yes);
        QVERIFY(yes && dialog.Buttons()->button(QDialogButtonBox::No));
        QTest::mouseClick(yes, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void FindReportsThatNothingAnsweredAfterEverySetting() {
        auto line = std::make_shared<ScriptedLine>();
        line->answerRate = 93750;  // no host rate
        gui::FindModuleDialog dialog(Defaults(), FactoryFor(line), nullptr, kQuick);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Finished(), 20000);
        QCOMPARE(dialog.StatusText(), QString("No module answered at any serial rate or format."));
        QCOMPARE(dialog.Result().attempts, std::size_t{60});
        QCOMPARE(dialog.Bar()->value(), 60);
        QPushButton* close = dialog.Buttons()->button(QDialogButtonBox::Close);
        QVERIFY(close);
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void CancelStopsTheScanAndTheDialogSaysSo() {
        auto line = std::make_shared<ScriptedLine>();
        line->hold = true;
        gui::FindModuleDialog dialog(Defaults(), FactoryFor(line), nullptr, kQuick);
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(dialog.StatusText(), QString("Trying 9600 N-8-1 (1 of 60)..."), 10000);
        {
            std::unique_lock lock(line->mutex);
            line->changed.wait(lock, [&] { return line->readsWaiting > 0; });
        }
        QTest::mouseClick(dialog.Buttons()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QCOMPARE(dialog.StatusText(), QString("Cancelling..."));
        QVERIFY(!dialog.Buttons()->isEnabled());
        QVERIFY(dialog.isVisible());  // stays until the scan has stopped
        {
            std::lock_guard lock(line->mutex);
            line->hold = false;
        }
        line->changed.notify_all();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Finished(), 10000);
        QCOMPARE(dialog.StatusText(), QString("Cancelled."));
        QVERIFY(dialog.Result().outcome.IsCancelled());
        QVERIFY(!dialog.Result().Found());
        QCOMPARE(dialog.Result().attempts, std::size_t{1});
    }

    void APortThatCannotBeOpenedShowsItsError() {
        gui::FindModuleDialog dialog(
            Defaults(),
            [](const HostSerialSettings&) -> std::unique_ptr<TCOMQX7Object> {
                throw EOpeningPortError("COM1- This port may be already in use or not present.");
            },
            nullptr, kQuick);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(dialog.Finished(), 10000);
        QCOMPARE(dialog.StatusText(), QString("COM1- This port may be already in use or not present."));
        QVERIFY(dialog.Buttons()->button(QDialogButtonBox::Close));
    }

    // Each kind of setting as the window shows it, the module's codes in
    // the tool tip.
    void CompareShowsTheSettingsAsTheWindowShowsThem() {
        using F = FieldId;
        struct Case {
            std::function<void(StartedConfig&)> window, module;
            QString setting, shownWindow, shownModule, codes;
        };
        const auto click = [](F id) { return [id](StartedConfig& c) { c.config.Click(id); }; };
        const Case cases[] = {
            {click(F::rb_ContMode), click(F::rb_CM_Single), "Operating Mode", "Auto-Connect Master", "Single-Connect",
             "window AT&L2, module AT&L0"},
            {{}, [](StartedConfig& c) { c.Type(F::sreg_7, "12"); }, "S7 Connection Attempts", "5", "12",
             "window ATS7=5, module ATS7=12"},
            {{}, [](StartedConfig& c) { c.config.PickItem(F::Serial_Parity, 3); }, "Parity", "None", "Even",
             "window AT&B2, module AT&B14"},
            {{}, click(F::Adv_Echo), "Disable Local Echo", "not ticked", "ticked",
             "window ATE1, module ATE0"},
            {{}, [](StartedConfig& c) { c.config.PickItem(F::Radio_DataRate, 2); }, "Radio Data Rate", "19200",
             "115200", "window ATB0, module ATB2"},
        };
        for (const Case& c : cases) {
            StartedConfig window, module;
            if (c.window) c.window(window);
            if (c.window) c.window(module);
            c.module(module);
            const auto rows =
                gui::DifferenceRows(CompareConfigurations(window.config, module.config), window.config, module.config);
            gui::CompareDialog dialog(gui::kVerifyTitle, rows);
            QCOMPARE(dialog.windowTitle(), QString("Verify after Configure"));
            QTableWidget* table = dialog.Table();
            int row = 0;
            while (row < table->rowCount() && table->item(row, 0)->text() != c.setting) ++row;
            QVERIFY2(row < table->rowCount(), qPrintable(c.setting));
            QCOMPARE(table->item(row, 1)->text(), c.shownWindow);
            QCOMPARE(table->item(row, 2)->text(), c.shownModule);
            QVERIFY2(table->item(row, 1)->toolTip().contains(c.codes), qPrintable(table->item(row, 1)->toolTip()));
        }
    }

    // Tab leaves the table for Close; Enter and Esc close the dialog.
    void CompareClosesFromTheKeyboard() {
        StartedConfig window, module;
        module.Type(FieldId::sreg_7, "12");
        const auto rows =
            gui::DifferenceRows(CompareConfigurations(window.config, module.config), window.config, module.config);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            gui::CompareDialog dialog(gui::kCompareTitle, rows);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog, 10000));
            dialog.Table()->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTRY_VERIFY(dialog.CloseButton()->hasFocus());
            QTest::keyClick(dialog.Table(), key);
            QTRY_VERIFY(!dialog.isVisible());
        }
        gui::CompareDialog same(gui::kCompareTitle, {});
        same.show();
        QCOMPARE(same.Summary(), QString("The module holds the window's configuration."));
        QVERIFY(!same.Table()->isVisible());
    }

    void SaveLogWritesTheSessionOrSaysWhyNot() {
        SessionLog log("Cfg_QX7TR");
        ScratchFolder folder;
        std::optional<QString> answer = QString::fromStdString(folder.Path("saved.log"));
        gui::LogSaver saver(log, [&](QWidget*) { return answer; });
        QVERIFY(saver.Save(nullptr));
        QCOMPARE(FileText(folder.Path("saved.log")), std::string());

        answer.reset();  // the user cancels the file dialog
        QVERIFY(!saver.Save(nullptr));

        answer = QString::fromStdString(folder.Path("no/such/dir/x.log"));
        QString shown;
        WhenModalShown([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            shown = box->text();
            QTest::keyClick(box, Qt::Key_Enter);
        });
        QVERIFY(!saver.Save(nullptr));
        QCOMPARE(shown, "Cannot save " + *answer + ": No such file or directory");
    }
};

}  // namespace

std::unique_ptr<QObject> MakeFeatureDialogsTest() { return std::make_unique<FeatureDialogsTest>(); }

}  // namespace qx::test

#include "feature_dialogs_test.moc"
