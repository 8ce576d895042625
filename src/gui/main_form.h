#pragma once
// TMainForm, the program's one working window: the working configuration's
// fields, the communication log, this computer's serial settings in the
// status row, and every command through the menus and the toolbar. It holds
// no rule of its own: fields and presentation come from the Workspace, and
// the module and file commands sit behind their hook interfaces.
//
// Around every command it keeps the user's work: the caption marks unsaved
// changes ("*"), a command that replaces the fields and Exit offer to save
// them first, the focus returns afterwards to the field that had it, and
// Exit stops a test left running on the module.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "operations/session_log.h"
#include "operations/workspace.h"
#include "file_commands.h"
#include "main_menu.h"
#include "module_commands.h"
#include "serial/port_map.h"

class QLabel;
class QPlainTextEdit;
class QToolBar;

namespace qx::gui {

class FieldBinder;
class LogSaver;
class ModeOptions;
class ProgressWindow;
class RecentFiles;
class SettingsPages;
class StatusRow;
class TEscCharEdit_Form;
class UnsavedChanges;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Workspace& workspace, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Hooks: the module operations (until set, module commands do nothing)
    // and the configuration files (the core's commands with the window's
    // file dialogs unless replaced).
    void SetModuleCommands(std::unique_ptr<ModuleCommands> commands);
    void SetFileCommands(std::unique_ptr<FileCommands> commands);

    // Where the About box reads the version block (the running executable).
    void SetExecutablePath(std::string path) { executablePath_ = std::move(path); }

    // Which device each of "Com 1".."Com 8" stands for on this computer.
    void SetPortMap(PortMap ports) { ports_ = std::move(ports); }
    const PortMap& Ports() const { return ports_; }

    Workspace& GetWorkspace() { return workspace_; }
    // Every exchange of every channel the window opens, for "Save Log...".
    SessionLog& Session() { return session_; }
    // Whether the fields hold changes not yet saved (the caption's "*").
    bool Modified() const;
    const RecentFiles& Recent() const { return *recent_; }
    // The progress window the module operations run behind (created once).
    ProgressWindow& Progress() { return *progress_; }
    QToolBar* ToolBar() const { return toolBar_; }
    const MainMenuActions& Menu() const { return menu_; }

    // The three status panels show the host serial settings.
    void DisplaySerialSettings();
    // The caption follows the current file name.
    void RefreshCaption();
    // Moves the focus to the field the last SetDefaults or readout named.
    void ApplyFocusRequest();
    // The file named by the first command-line argument.
    void OpenCommandLineFile(const std::string& argument);

protected:
    void showEvent(QShowEvent* event) override;
    // Exit, the close box and Alt+F4: unsaved changes are offered for
    // saving, and a test left running on the module is stopped.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* BuildClientArea();
    void BuildToolBar(QWidget* client);
    void ConnectCommands();
    // The show step: runs once, when the window is first shown.
    void FormShow();
    // The mode options and settings pages as the configuration's view says.
    void SyncView();
    // The status panel's text and the communications log.
    void ShowStatusAndLog();

    // What the window does around a command of the menus or the toolbar.
    enum CommandSteps : unsigned {
        kPlain = 0,
        // The focus rule: the field being edited runs its exit rule before
        // the command reads the configuration.
        kFocusRule = 1,
        // The command replaces the fields (with the defaults, a file or a
        // readout): unsaved changes are offered for saving first; once it
        // has done so, the configuration counts as unchanged and the window
        // follows its focus request.
        kReplacesFields = 2,
        // Done, the command has saved the configuration.
        kSaves = 4,
        // The command opens a file: done and loaded, it joins the recent
        // files.
        kOpensFile = 8,
    };
    struct Command {
        // Returns whether it did what its steps say (replaced, saved).
        std::function<bool()> body;
        unsigned steps = kPlain;
    };

    // The focus rule's move: the focus goes to the toolbar.
    void FocusToToolBar();
    // Runs a command; an error that escapes it is shown as an error box
    // (and the command counts as not done).
    bool Run(const std::function<bool()>& command);
    // Every command goes through here (menus, toolbar, the file named on
    // the command line): its steps before and after, the command itself.
    // Returns whether the command was done.
    bool RunCommand(const Command& command);
    // Unsaved changes: "Save changes to ...?"; Yes saves (a Save that is
    // cancelled or fails counts as Cancel). False when the user cancelled.
    bool SaveChangesFirst();
    // After a command that replaced the fields or saved them (a file
    // opened or saved joins the recent files).
    void ConfigurationSettled(bool fileNamed);
    // The focus goes back to `field` (the one the user was in), if it can.
    void ReturnFocus(QWidget* field);
    // A file was chosen from the recent files.
    void OpenRecent(const QString& path);

    // Communication > Module History: the list, and the entry chosen to open.
    void ShowModuleHistory();
    void SetupComPort();
    void Adv_EscCharClick();
    void ShowHelpAbout();

    Workspace& workspace_;
    SessionLog session_;
    std::unique_ptr<FieldBinder> binder_;
    std::unique_ptr<ModuleCommands> module_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<LogSaver> logSaver_;
    std::unique_ptr<UnsavedChanges> unsaved_;
    RecentFiles* recent_ = nullptr;
    int statusAndLogSubscription_ = 0;
    std::unique_ptr<ModeOptions> modeOptions_;
    std::unique_ptr<SettingsPages> settingsPages_;
    MainMenuActions menu_{};
    QToolBar* toolBar_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    StatusRow* statusRow_ = nullptr;
    ProgressWindow* progress_ = nullptr;
    TEscCharEdit_Form* escDialog_ = nullptr;
    std::string executablePath_;
    PortMap ports_;
    bool shown_ = false;
    bool closing_ = false;  // inside closeEvent's questions
};

}  // namespace qx::gui
