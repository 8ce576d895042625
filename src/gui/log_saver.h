#pragma once
// "Save Log...": writes the session's communication log (SessionLog: every
// exchange of every channel the window opened since it started, Read,
// Configure, Compare, Find Module and the tests alike, each line with its
// time) to a text file on request.
//
// Entry point for the window: make one when the window starts,
//   logSaver_ = std::make_unique<LogSaver>(sessionLog);
// and on the menu item call
//   logSaver_->Save(this);
// which asks for a file name and reports a failed write in a message box.

#include <QString>
#include <functional>
#include <optional>

#include "operations/session_log.h"

class QWidget;

namespace qx::gui {

class LogSaver {
public:
    // Asks for the file to save to; nothing when the user cancels.
    using PathAsker = std::function<std::optional<QString>(QWidget* parent)>;

    explicit LogSaver(const SessionLog& log, PathAsker ask = AskWithFileDialog);

    // Asks for a file and writes every line to it (replacing the file).
    // Returns whether a file was written.
    bool Save(QWidget* parent);
    // Writes to `path`; the system's reason in `error` when it fails.
    bool SaveTo(const QString& path, QString& error) const;

    static std::optional<QString> AskWithFileDialog(QWidget* parent);

private:
    const SessionLog& log_;
    PathAsker ask_;
};

}  // namespace qx::gui
