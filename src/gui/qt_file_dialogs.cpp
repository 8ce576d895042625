#include "qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "qt_text.h"

namespace qx::gui {

void QtFileDialogs::Configure(QFileDialog& dialog) {
    // The entry's description and pattern are both "*.X7R".
    dialog.setNameFilter(QStringLiteral("*.X7R (*.X7R)"));
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setDefaultSuffix(QStringLiteral("X7R"));
    dialog.setDirectory(QDir::currentPath());
}

std::optional<std::string> QtFileDialogs::Ask(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().first();
    QDir::setCurrent(QFileInfo(chosen).absolutePath());
    return WithDefaultExtension(FromQ(chosen));
}

std::optional<std::string> QtFileDialogs::AskOpenPath() {
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    Configure(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Ask(dialog);
}

std::optional<std::string> QtFileDialogs::AskSavePath() {
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    Configure(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return Ask(dialog);
}

}  // namespace qx::gui
