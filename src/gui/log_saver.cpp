#include "log_saver.h"

#include <QFileDialog>
#include <QMessageBox>

#include "files/file_errors.h"

namespace qx::gui {

LogSaver::LogSaver(const SessionLog& log, PathAsker ask) : log_(log), ask_(std::move(ask)) {}

std::optional<QString> LogSaver::AskWithFileDialog(QWidget* parent) {
    const QString path = QFileDialog::getSaveFileName(parent, "Save Log", "communication.log",
                                                      "Log files (*.log);;Text files (*.txt);;All files (*)");
    if (path.isEmpty()) return std::nullopt;
    return path;
}

bool LogSaver::SaveTo(const QString& path, QString& error) const {
    try {
        log_.SaveTo(path.toStdString());
        return true;
    } catch (const EFileError& e) {
        error = QString::fromStdString(e.what());
        return false;
    }
}

bool LogSaver::Save(QWidget* parent) {
    const auto path = ask_(parent);
    if (!path) return false;
    QString error;
    if (SaveTo(*path, error)) return true;
    QMessageBox::critical(parent, "Save Log", error);
    return false;
}

}  // namespace qx::gui
