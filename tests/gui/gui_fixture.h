#pragma once
// A started main window for tests: a workspace with a scripted prompter and
// a fixed system address, recording hooks for the module and file commands,
// the window shown and active.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "operations/workspace.h"
#include "main_form.h"
#include "support/scripted_prompter.h"

namespace qx::test {

// Records each module command with the value some fields held at that moment.
class RecordingModuleCommands : public gui::ModuleCommands {
public:
    explicit RecordingModuleCommands(WorkingConfig& config) : config_(config) {}
    bool ReadModuleConfig() override { return Record("Read"); }
    void WriteConfig() override { Record("Configure"); }
    bool RestoreFactDefaults() override { return Record("Restore"); }
    void TxBertest() override { Record("TxBer"); }
    void RxBerTest(int n) override { Record("RxBer" + std::to_string(n)); }
    void FindModule() override { Record("Find"); }
    void CompareWithModule() override { Record("Compare"); }
    void SetVerifyAfterConfigure(bool verify) override { Record(verify ? "VerifyOn" : "VerifyOff"); }
    void SetBackupBeforeConfigure(bool backup) override { Record(backup ? "BackupOn" : "BackupOff"); }
    std::optional<std::string> ModuleHistory() override {
        Record("History");
        return historyChoice;
    }
    bool StopTestsBeforeExit() override { return Record("StopTests"); }

    std::vector<std::string> calls;
    std::vector<std::string> packSizeAtCall;  // Radio_PackSize's text
    std::optional<std::string> historyChoice;  // what Module History's Open gives

private:
    bool Record(std::string name) {
        calls.push_back(std::move(name));
        packSizeAtCall.push_back(config_.Field(FieldId::Radio_PackSize).text);
        return true;
    }
    WorkingConfig& config_;
};

class RecordingFileCommands : public gui::FileCommands {
public:
    explicit RecordingFileCommands(Workspace& workspace) : workspace_(workspace) {}
    bool New() override { return Record("New"); }
    bool Open() override { return OpenPath("/tmp/site.X7R"); }
    bool OpenPath(const std::string& path) override {
        Record("Open");
        workspace_.currentFileName = path;
        return true;
    }
    bool OpenContent(const std::string&) override {
        Record("OpenContent");
        workspace_.currentFileName.clear();
        return true;
    }
    bool Save() override { return Record("Save"); }
    bool SaveAs() override { return Record("SaveAs"); }
    void OpenCommandLineFile(const std::string& a) override { Record("CommandLine:" + a); }

    std::vector<std::string> calls;
    std::vector<std::string> packSizeAtCall;

private:
    bool Record(std::string name) {
        calls.push_back(std::move(name));
        packSizeAtCall.push_back(workspace_.config.Field(FieldId::Radio_PackSize).text);
        return true;
    }
    Workspace& workspace_;
};

struct StartedWindow {
    explicit StartedWindow(ModelVariant variant = ModelVariant::Main())
        : workspace(std::move(variant), prompter, FixedSystemAddress(17)), form(workspace) {
        auto m = std::make_unique<RecordingModuleCommands>(workspace.config);
        module = m.get();
        form.SetModuleCommands(std::move(m));
        auto f = std::make_unique<RecordingFileCommands>(workspace);
        files = f.get();
        form.SetFileCommands(std::move(f));
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form, 10000)) qWarning("the main window did not become active");
        prompter.Clear();
    }

    template <typename T = QWidget>
    T* Find(const char* name) const {
        return form.findChild<T*>(QString::fromLatin1(name));
    }

    ScriptedPrompter prompter;
    Workspace workspace;
    gui::TMainForm form;
    RecordingModuleCommands* module = nullptr;
    RecordingFileCommands* files = nullptr;
};

// Runs `handle` on the next modal window to appear (checked every 10 ms,
// for up to 20 s), so that a test can drive a dialog that a command shows
// with exec().
inline void WhenModalShown(std::function<void(QWidget*)> handle) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, handle = std::move(handle)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && ++*waited < 2000) return;
        timer->stop();
        timer->deleteLater();
        if (modal) handle(modal);
    });
    timer->start();
}

// Gives a field the focus and types `text` over its content, without leaving it.
inline void TypeInto(QWidget* field, const char* text) {
    field->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY_WITH_TIMEOUT(field->hasFocus(), 10000);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QString::fromLatin1(text));
}

}  // namespace qx::test
