#include "main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <exception>

#include "app/version_block.h"
#include "click_after_question.h"
#include "core_file_commands.h"
#include "esc_char_edit_form.h"
#include "field_binder.h"
#include "help_about_form.h"
#include "log_saver.h"
#include "log_text.h"
#include "mode_options.h"
#include "operating_mode_box.h"
#include "progress_window.h"
#include "qt_file_dialogs.h"
#include "qt_text.h"
#include "recent_files.h"
#include "serial_settings_form.h"
#include "settings_pages.h"
#include "status_row.h"
#include "toolbar_icons.h"
#include "unsaved_changes.h"

namespace qx::gui {
namespace {

constexpr QSize kClientSize(625, 391);

}  // namespace

TMainForm::TMainForm(Workspace& workspace, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      workspace_(workspace),
      session_(OwnVersionBanner("Cfg_QX7TR")),
      binder_(std::make_unique<FieldBinder>(workspace.config)),
      module_(std::make_unique<NoModuleCommands>()),
      files_(std::make_unique<CoreFileCommands>(workspace, std::make_unique<QtFileDialogs>(this))),
      logSaver_(std::make_unique<LogSaver>(session_)),
      unsaved_(std::make_unique<UnsavedChanges>(workspace.config)),
      executablePath_(FromQ(QCoreApplication::applicationFilePath())) {
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(ToQ(workspace_.variant.WindowCaption));
    menu_ = BuildMainMenu(menuBar());
    recent_ = new RecentFiles(menu_.File_Menu, menu_.N1, [this](const QString& path) { OpenRecent(path); });
    setCentralWidget(BuildClientArea());
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The windows that live as long as this one.
    progress_ = new ProgressWindow(this);
    escDialog_ = new TEscCharEdit_Form(this);

    ConnectCommands();
    // Owned by the window, as its widgets are.
    new ClickAfterQuestion(this);
    connect(binder_.get(), &FieldBinder::viewChanged, this, &TMainForm::SyncView);
    // The caption's "*" follows every change the user makes.
    connect(binder_.get(), &FieldBinder::userActed, this, &TMainForm::RefreshCaption);
    // The status line and the log belong to the workspace; each of its
    // changes (a log line per exchange) updates only them.
    statusAndLogSubscription_ = workspace_.Subscribe([this] { ShowStatusAndLog(); });
    binder_->SyncAll();
    ShowStatusAndLog();
}

TMainForm::~TMainForm() { workspace_.Unsubscribe(statusAndLogSubscription_); }

QWidget* TMainForm::BuildClientArea() {
    auto* client = new QWidget(this);
    client->setFixedSize(kClientSize);
    BuildToolBar(client);

    auto* background = new QFrame(client);
    background->setObjectName(QStringLiteral("Panel3"));
    background->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    background->setGeometry(0, 32, 625, 337);
    // Children of the background are placed in client coordinates less its top.
    const auto place = [](QWidget* w, int x, int y, int width, int height) { w->setGeometry(x, y - 32, width, height); };

    place(BuildOperatingModeBox(*binder_, background), 8, 40, 169, 201);

    auto* logLabel = new QLabel(QStringLiteral("Serial Communications:"), background);
    place(logLabel, 8, 246, 169, 16);
    memo_ = new QPlainTextEdit(background);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setReadOnly(true);
    // Read-only, but the keys move through it (Ctrl+Home, Ctrl+End, the pages).
    memo_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    place(memo_, 8, 264, 169, 97);

    modeOptions_ = std::make_unique<ModeOptions>(*binder_, background);
    place(modeOptions_->Panel(), 184, 40, 209, 321);
    // The settings box starts at 384, inside the panel's last 9 pixels: the
    // panel's groups keep clear of it.
    modeOptions_->Panel()->setContentsMargins(0, 0, 13, 0);

    settingsPages_ = std::make_unique<SettingsPages>(*binder_, background);
    place(settingsPages_->Box(), 384, 40, 233, 321);
    settingsPages_->Box()->raise();

    statusRow_ = new StatusRow(workspace_.host, client);
    return client;
}

void TMainForm::BuildToolBar(QWidget* client) {
    toolBar_ = new QToolBar(client);
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setGeometry(0, 0, 625, 29);
    toolBar_->setIconSize(QSize(20, 20));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    // A mouse press on a button must not move the focus: it would make the
    // field being edited run its exit rule on the press, and a question box
    // opened there takes the release, so the button's click (and with it
    // the command) is lost. The commands that want the exit rule first move
    // the focus here themselves (RunCommand), after the click is complete.
    toolBar_->setFocusPolicy(Qt::NoFocus);
}

void TMainForm::ConnectCommands() {
    const auto files = [this](bool (FileCommands::*command)()) {
        return [this, command] { return ((*files_).*command)(); };
    };
    const auto module = [this](void (ModuleCommands::*command)()) {
        return [this, command] {
            ((*module_).*command)();
            return true;
        };
    };
    const auto replacing = [this](bool (ModuleCommands::*command)()) {
        return [this, command] { return ((*module_).*command)(); };
    };
    const auto plain = [](std::function<void()> body) {
        return Command{[body = std::move(body)] {
            body();
            return true;
        }};
    };
    const auto rxTest = [this, plain](int test) { return plain([this, test] { module_->RxBerTest(test); }); };
    // Each command once; the toolbar's buttons run the same ones.
    const Command newFile{files(&FileCommands::New), kReplacesFields};
    const Command openFile{files(&FileCommands::Open), kReplacesFields | kOpensFile};
    // The menu's Save saves what the fields hold now; only the toolbar's
    // Save (and Ctrl+S) applies the focus rule first.
    const Command save{files(&FileCommands::Save), kSaves};
    const Command toolbarSave{save.body, kFocusRule | kSaves};
    const Command read{replacing(&ModuleCommands::ReadModuleConfig), kFocusRule | kReplacesFields};
    const Command configure{module(&ModuleCommands::WriteConfig), kFocusRule};
    const Command comSettings = plain([this] { SetupComPort(); });
    const Command defaults{replacing(&ModuleCommands::RestoreFactDefaults), kReplacesFields};
    const Command about = plain([this] { ShowHelpAbout(); });

    const MainMenuActions& m = menu_;
    const std::vector<std::pair<QAction*, Command>> items = {
        {m.File_New, newFile},
        {m.File_Open, openFile},
        {m.File_Save, save},
        {m.File_SaveAs, Command{files(&FileCommands::SaveAs), kSaves}},
        {m.File_SaveLog, plain([this] { logSaver_->Save(this); })},
        {m.Comm_Read, read},
        {m.Comm_Configure, configure},
        {m.Comm_Find, Command{module(&ModuleCommands::FindModule)}},
        {m.Comm_Compare, Command{module(&ModuleCommands::CompareWithModule), kFocusRule}},
        {m.Comm_Serial, comSettings},
        {m.Adv_Defaults, defaults},
        {m.Diag_TxBer, Command{module(&ModuleCommands::TxBertest)}},
        {m.Diag_RxBer, rxTest(1)},
        {m.Diag_TxRxBer, rxTest(2)},
        {m.Diag_RSSI, rxTest(3)},
        {m.Adv_EscChar, plain([this] { Adv_EscCharClick(); })},
        {m.Help_About, about},
    };
    for (const auto& [action, command] : items)
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    connect(m.File_Exit, &QAction::triggered, this, &QWidget::close);
    connect(m.Comm_Verify, &QAction::toggled, this, [this](bool on) { module_->SetVerifyAfterConfigure(on); });
    connect(m.Comm_Backup, &QAction::toggled, this, [this](bool on) { module_->SetBackupBeforeConfigure(on); });
    connect(m.Comm_History, &QAction::triggered, this, &TMainForm::ShowModuleHistory);
    // Ctrl+S while typing into a field saves the field as it will stand.
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
            [this, toolbarSave] { RunCommand(toolbarSave); });

    struct Button {
        const char* name;
        const char* hint;
        ToolbarImage image;
        Command command;
    };
    const std::vector<Button> buttons = {
        {"tb_New", "New", ToolbarImage::New, newFile},
        {"tb_Open", "Open", ToolbarImage::Open, openFile},
        {"tb_Save", "Save", ToolbarImage::Save, toolbarSave},
        {"tb_UpLoad", "Read Module Configuration", ToolbarImage::ReadModule, read},
        {"tb_Program", "Configure Module", ToolbarImage::ConfigureModule, configure},
        {"tb_ComSettings", "Com Port Settings", ToolbarImage::ComSettings, comSettings},
        {"tb_Defaults", "Restore Factory Defaults", ToolbarImage::Defaults, defaults},
        {"tb_Help", "Help", ToolbarImage::Help, about},
    };
    for (const Button& b : buttons) {
        QAction* action = toolBar_->addAction(ToolbarIcon(b.image, *style()), QString::fromLatin1(b.hint));
        action->setToolTip(QString::fromLatin1(b.hint));
        toolBar_->widgetForAction(action)->setObjectName(QString::fromLatin1(b.name));
        connect(action, &QAction::triggered, this, [this, command = b.command] { RunCommand(command); });
    }
}

void TMainForm::SetModuleCommands(std::unique_ptr<ModuleCommands> commands) { module_ = std::move(commands); }
void TMainForm::SetFileCommands(std::unique_ptr<FileCommands> commands) { files_ = std::move(commands); }

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - frameGeometry().center() + pos());
    FormShow();
}

void TMainForm::FormShow() {
    QCoreApplication::setApplicationName(ToQ(workspace_.variant.WindowCaption));
    workspace_.StartUp();
    unsaved_->MarkUnchanged();
    RefreshCaption();
    DisplaySerialSettings();
    ApplyFocusRequest();
}

void TMainForm::OpenCommandLineFile(const std::string& argument) {
    RunCommand(Command{[this, &argument] {
                           files_->OpenCommandLineFile(argument);
                           return true;
                       },
                       kReplacesFields | kOpensFile});
}

void TMainForm::DisplaySerialSettings() { statusRow_->DisplaySerialSettings(); }

bool TMainForm::Modified() const { return unsaved_->Modified(); }

void TMainForm::RefreshCaption() {
    const QString caption = ToQ(workspace_.Caption());
    setWindowTitle(Modified() ? QLatin1Char('*') + caption : caption);
}

void TMainForm::ApplyFocusRequest() {
    const auto& request = workspace_.config.View().focusRequest;
    if (!request) return;
    if (QWidget* w = binder_->WidgetOf(*request); w && w->isEnabled()) w->setFocus(Qt::OtherFocusReason);
}

void TMainForm::SyncView() {
    const ViewState& view = workspace_.config.View();
    modeOptions_->Show(view);
    settingsPages_->Show(view);
}

void TMainForm::ShowStatusAndLog() {
    statusRow_->TextPanel()->setText(ToQ(workspace_.StatusText()));
    const QString log = CleanLogText(workspace_.Log());
    if (memo_->toPlainText() != log) {
        memo_->setPlainText(log);
        // The latest exchange is what the user wants to see.
        memo_->moveCursor(QTextCursor::End);
        memo_->verticalScrollBar()->setValue(memo_->verticalScrollBar()->maximum());
    }
}

void TMainForm::FocusToToolBar() { toolBar_->setFocus(Qt::OtherFocusReason); }

bool TMainForm::Run(const std::function<bool()>& command) {
    try {
        return command();
    } catch (const std::exception& e) {
        Tell(workspace_.GetPrompter(), MessageKind::Error, e.what());
    }
    return false;
}

bool TMainForm::RunCommand(const Command& command) {
    // The field the user was in; the focus returns there afterwards.
    const QPointer<QWidget> field = focusWidget();
    // The focus moves inside the command, never on a mouse press: the
    // field's exit rule (and any question it asks) comes first, and the
    // command then runs whatever the answer.
    if (command.steps & (kFocusRule | kReplacesFields)) FocusToToolBar();
    const bool replaces = command.steps & kReplacesFields;
    const bool done = (!replaces || SaveChangesFirst()) && Run(command.body);
    if (done && (command.steps & (kReplacesFields | kSaves)))
        ConfigurationSettled(command.steps & (kSaves | kOpensFile));
    // The window shows what the command left: the caption follows the
    // current file and its changes, and the panels the host settings, which
    // a load, a read, a configure, a restore, a search or the dialog may
    // each have changed.
    RefreshCaption();
    DisplaySerialSettings();
    if (done && replaces)
        ApplyFocusRequest();
    else
        ReturnFocus(field);
    return done;
}

bool TMainForm::SaveChangesFirst() {
    return unsaved_->OfferToSave(workspace_.GetPrompter(), workspace_.currentFileName, [this] {
        if (!Run([this] { return files_->Save(); })) return false;
        ConfigurationSettled(true);
        return true;
    });
}

void TMainForm::ConfigurationSettled(bool fileNamed) {
    unsaved_->MarkUnchanged();
    if (fileNamed && !workspace_.currentFileName.empty()) recent_->Add(ToQ(workspace_.currentFileName));
}

void TMainForm::ReturnFocus(QWidget* field) {
    if (field && field != toolBar_ && field->isVisible() && field->isEnabled()) field->setFocus(Qt::OtherFocusReason);
}

void TMainForm::OpenRecent(const QString& path) {
    const bool tried =
        RunCommand(Command{[this, path] { return files_->OpenPath(FromQ(path)); }, kReplacesFields | kOpensFile});
    // A file that could not be loaded leaves the list.
    if (tried && workspace_.currentFileName != FromQ(path)) recent_->Remove(path);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A second close while the first one asks its questions waits for it.
    if (closing_) {
        event->ignore();
        return;
    }
    const QScopedValueRollback<bool> asking(closing_, true);
    const QPointer<QWidget> field = focusWidget();
    // The field being edited runs its exit rule: what is saved is what it
    // will hold.
    FocusToToolBar();
    if (SaveChangesFirst() && module_->StopTestsBeforeExit()) {
        event->accept();
        return;
    }
    event->ignore();
    RefreshCaption();
    ReturnFocus(field);
}

void TMainForm::ShowModuleHistory() {
    std::optional<std::string> chosen;
    RunCommand(Command{[this, &chosen] {
        chosen = module_->ModuleHistory();
        return true;
    }});
    // Open: the entry replaces the fields as a file would, once the
    // question about unsaved changes is answered.
    if (chosen) RunCommand(Command{[this, &chosen] { return files_->OpenContent(*chosen); }, kReplacesFields});
}

void TMainForm::SetupComPort() {
    TSerialSettingsForm dialog(this);
    dialog.ShowPortPaths(ports_, DiscoverSerialPorts(ports_));
    dialog.GetSerialDetails(workspace_.host);
    // The panels are shown again whichever button closed it (RunCommand).
    if (dialog.exec() == QDialog::Accepted) ports_ = dialog.PortPaths();
}

void TMainForm::Adv_EscCharClick() { escDialog_->Edit(workspace_.escape); }

void TMainForm::ShowHelpAbout() {
    TForm_HelpAbout about(this);
    about.FillAboutBox(workspace_.variant.Family, GetVersionText(executablePath_));
    about.exec();
}

}  // namespace qx::gui
