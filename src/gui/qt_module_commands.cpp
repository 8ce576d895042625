#include "qt_module_commands.h"

#include <QAction>

#include "ber_test_form.h"
#include "compare_dialog.h"
#include "difference_rows.h"
#include "config/configuration_comparison.h"
#include "find_module_dialog.h"
#include "files/config_file_commands.h"
#include "history/history_errors.h"
#include "history/history_recorder.h"
#include "main_form.h"
#include "module_history_dialog.h"
#include "operations/operation_starters.h"
#include "operations/program_thread.h"
#include "operations/read_back.h"
#include "progress_window.h"
#include "qt_text.h"
#include "qt_ui_dispatcher.h"
#include "serial/comqx7_object.h"
#include "window_history.h"

namespace qx::gui {
namespace {

// The progress window as the worker sees it, remembering whether the worker
// has closed it (its last act).
class ClosingProgress final : public ProgressSink {
public:
    explicit ClosingProgress(ProgressSink& window) : window_(window) {}
    void SetText(const std::string& text) override { window_.SetText(text); }
    void SetPosition(int position) override { window_.SetPosition(position); }
    void SetMax(int max) override { window_.SetMax(max); }
    void Step() override { window_.Step(); }
    void Refresh() override { window_.Refresh(); }
    void Close() override {
        closed_ = true;
        window_.Close();
    }
    bool Closed() const { return closed_; }

private:
    ProgressSink& window_;
    bool closed_ = false;  // user-interface thread only
};

// The window's user finds the ports in the serial port setup dialog.
constexpr std::string_view kPortsHint = "Communication > Com Port Settings";

}  // namespace

QtModuleCommands::QtModuleCommands(TMainForm& form, WindowHistory* history)
    : form_(form),
      history_(history),
      ui_(std::make_unique<QtUiDispatcher>()),
      runner_(std::make_unique<ProgressExchangeRunner>(form.Progress(), *ui_)) {}

QtModuleCommands::~QtModuleCommands() = default;

ChannelFactory QtModuleCommands::OpenChannel() {
    return [this](const HostSerialSettings& settings) {
        const Workspace& workspace = form_.GetWorkspace();
        auto channel = std::make_unique<TCOMQX7Object>(
            settings,
            ChannelSetup{.productName = workspace.variant.ProductName,
                         .escape = workspace.escape,
                         .ports = form_.Ports(),
                         .portsHint = std::string(kPortsHint),
                         .closing = closing_});
        form_.Session().Tap(*channel, settings, form_.Ports());
        return channel;
    };
}

OperationOutcome QtModuleCommands::RunOperation(Workspace& workspace, ModuleOperation operation,
                                                ConfigCommandList commandList) {
    ProgressWindow& window = form_.Progress();
    ClosingProgress progress(window);
    OperationContext context{workspace, *ui_, progress, OpenChannel(),
                             [this] { form_.DisplaySerialSettings(); }};
    if (history_) context.history = &history_->Recorder();
    TProgramThread worker(std::move(context), operation, std::move(commandList));
    bool started = false;
    window.Run(
        [&worker, &started] {
            started = true;
            worker.Start();
        },
        [&worker] { worker.RequestTermination(); });
    // The modal loop ends when the worker closes the window. Should it end
    // otherwise (the application quitting), the worker is asked to stop and
    // its remaining calls onto this thread are still served, so it can end.
    if (started && !progress.Closed()) {
        worker.RequestTermination();
        ui_->WaitServing([&progress] { return progress.Closed(); });
    }
    worker.Wait();
    TellHistoryNotices();
    return worker.Outcome();
}

void QtModuleCommands::BeginHistoryCommand(const char* command, bool backup) {
    if (!history_) return;
    history_->Recorder().BeginCommand(command);
    history_->Recorder().SetBackupBeforeWrite(backup);
}

void QtModuleCommands::TellHistoryNotices() {
    if (!history_) return;
    for (std::string text : history_->TakeNotices()) {
        if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
        Tell(form_.GetWorkspace().GetPrompter(), MessageKind::Warning, text);
    }
}

bool QtModuleCommands::ReadModuleConfig() {
    BeginHistoryCommand("Read");
    PrepareReadModuleConfig(form_.GetWorkspace());
    return RunOperation(form_.GetWorkspace(), ModuleOperation::Read, {}).IsDone();
}

void QtModuleCommands::WriteConfig() {
    std::optional<ConfigCommandList> commands = PrepareWriteConfig(form_.GetWorkspace());
    if (!commands) return;
    BeginHistoryCommand("Configure", backupBeforeConfigure_);
    // ConfigureModule: the cleared log shows before the operation starts.
    form_.repaint();
    const OperationOutcome configured =
        RunOperation(form_.GetWorkspace(), ModuleOperation::Configure, std::move(*commands));
    // Only a configuration that was written is read back: a failure has
    // shown its report, a cancelled one stored nothing.
    if (!verifyAfterConfigure_ || !configured.IsDone()) return;
    // A module that now runs at a rate this computer's port cannot use
    // cannot be read back.
    if (!CanReadBack(form_.GetWorkspace().config)) {
        Tell(form_.GetWorkspace().GetPrompter(), MessageKind::Information,
             "The module now uses a Baud Rate that this computer cannot use: the configuration cannot be read back.");
        return;
    }
    ShowDifferencesFromModule(kVerifyTitle, ReadBackAt::WrittenSettings);
}

bool QtModuleCommands::RestoreFactDefaults() {
    if (!ConfirmRestoreFactDefaults(form_.GetWorkspace())) return false;
    BeginHistoryCommand("Restore Factory Defaults");
    return RunOperation(form_.GetWorkspace(), ModuleOperation::RestoreDefaults, {}).IsDone();
}

void QtModuleCommands::TxBertest() { ClickTxBerTest(); }

void QtModuleCommands::ClickTxBerTest() {
    // An error opening the port leaves here for the window's error box.
    const auto showCaption = [this] { form_.Menu().Diag_TxBer->setText(ToQ(txBer_.Caption())); };
    try {
        txBer_.TxBertest(form_.GetWorkspace(), OpenChannel(), *runner_);
    } catch (...) {
        showCaption();
        throw;
    }
    showCaption();
}

bool QtModuleCommands::StopTestsBeforeExit() {
    // A receive test's window stops its test as it closes.
    for (TBERTestForm* window : form_.findChildren<TBERTestForm*>())
        if (window->isVisible()) window->close();
    if (!txBer_.Running()) return true;
    try {
        ClickTxBerTest();
    } catch (const std::exception& e) {
        Tell(form_.GetWorkspace().GetPrompter(), MessageKind::Error, e.what());
    }
    if (!txBer_.Running()) return true;
    return Ask(form_.GetWorkspace().GetPrompter(), MessageKind::Warning, MessageButtons::YesNo,
               "The Tx BER Test could not be stopped: the module may go on transmitting.\r\nExit anyway?") ==
           Answer::Yes;
}

void QtModuleCommands::RxBerTest(int testNumber) {
    Workspace& workspace = form_.GetWorkspace();
    // An error opening the port leaves here for the window's error box; no
    // test window then.
    const std::unique_ptr<TCOMQX7Object> channel = OpenChannel()(workspace.host);
    TBERTestForm window(&form_);
    window.SetupTest(*channel, testNumber, *ui_, workspace.GetPrompter(), runner_.get());
    window.exec();
    // The window (and its test) ends before the channel closes the port.
}

void QtModuleCommands::FindModule() {
    Workspace& workspace = form_.GetWorkspace();
    if (auto found = FindModuleDialog::Run(&form_, workspace.host, OpenChannel())) {
        workspace.host = *found;
    }
}

void QtModuleCommands::CompareWithModule() {
    BeginHistoryCommand("Compare with Module");
    ShowDifferencesFromModule(kCompareTitle, ReadBackAt::HostSettings);
}

std::optional<std::string> QtModuleCommands::ModuleHistory() {
    Prompter& prompter = form_.GetWorkspace().GetPrompter();
    if (!history_) return std::nullopt;
    std::string path;
    try {
        path = history_->Path();
    } catch (const EHistoryError& e) {
        Tell(prompter, MessageKind::Error, e.what());
        return std::nullopt;
    }
    ModuleHistoryDialog dialog(
        path, prompter,
        [this](const std::string& configuration, std::int64_t id, QWidget* over) {
            CompareEntryWithModule(configuration, id, over);
        },
        &form_);
    dialog.exec();
    return dialog.Chosen();
}

void QtModuleCommands::CompareEntryWithModule(const std::string& configuration, std::int64_t id, QWidget* over) {
    Workspace& window = form_.GetWorkspace();
    // The entry in a configuration of its own; the window's stays as it is.
    Workspace entry(window.variant, window.GetPrompter());
    entry.StartUp();
    if (!LoadFromContent(entry, configuration)) return;
    BeginHistoryCommand("Compare with Module");
    // The module is where the window talks to it.
    const ModuleReading reading = ReadModuleConfiguration(
        window, [this](Workspace& module) { return RunOperation(module, ModuleOperation::Read, {}); });
    if (!reading.outcome.IsDone()) return;
    const QString name = QStringLiteral("history entry %1").arg(id);
    CompareDialog::Show(over, QString::fromLatin1(kCompareTitle),
                        DifferenceRows(CompareConfigurations(entry.config, reading.module->config), entry.config,
                                       reading.module->config),
                        ComparedWith{QStringLiteral("Entry %1").arg(id), name});
}

void QtModuleCommands::ShowDifferencesFromModule(const char* title, ReadBackAt at) {
    const ReadBack back = ReadBackAndCompare(
        form_.GetWorkspace(), [this](Workspace& module) { return RunOperation(module, ModuleOperation::Read, {}); },
        at);
    // A read that did not go through has shown its own report already.
    if (!back.outcome.IsDone()) return;
    CompareDialog::Show(&form_, QString::fromLatin1(title),
                        DifferenceRows(back.differences, form_.GetWorkspace().config, back.module->config));
}

}  // namespace qx::gui
