#pragma once
// "Save Log...": keeps every entry of the window's communication log with
// the time it arrived (from the moment it is made, including entries that
// a Configure later clears from the log pane) and writes them to a text
// file on request, one timestamped line each (see CommunicationLogFile).
//
// Entry point for the window: make one when the window starts,
//   logSaver_ = std::make_unique<LogSaver>(workspace);
// and on the menu item call
//   logSaver_->Save(this);
// which asks for a file name and reports a failed write in a message box.

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "files/communication_log_file.h"
#include "operations/log_follower.h"

class QWidget;


namespace qx::gui {

class LogSaver {
public:
    // Asks for the file to save to; nothing when the user cancels.
    using PathAsker = std::function<std::optional<QString>(QWidget* parent)>;

    explicit LogSaver(Workspace& workspace, PathAsker ask = AskWithFileDialog);

    // Asks for a file and writes every entry to it (replacing the file).
    // Returns whether a file was written.
    bool Save(QWidget* parent);
    // Writes to `path`; the system's reason in `error` when it fails.
    bool SaveTo(const QString& path, QString& error) const;

    const std::vector<LogEntry>& Entries() const { return entries_; }

    static std::optional<QString> AskWithFileDialog(QWidget* parent);

private:
    PathAsker ask_;
    std::vector<LogEntry> entries_;
    LogFollower follower_;  // last: records into entries_
};

}  // namespace qx::gui
