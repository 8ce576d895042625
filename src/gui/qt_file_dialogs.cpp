#include "qt_file_dialogs.h"

#include <QFileDialog>

#include "qt_text.h"

namespace qx::gui {

void QtFileDialogs::Configure(QFileDialog& dialog) {
    // The entry's description and pattern are both "*.X7R".
    dialog.setNameFilter(QStringLiteral("*.X7R (*.X7R)"));
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setDefaultSuffix(QStringLiteral("X7R"));
}

std::optional<std::string> QtFileDialogs::AskOpenFileName() const {
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    Configure(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FromQ(dialog.selectedFiles().first());
}

std::optional<std::string> QtFileDialogs::AskSaveFileName(const std::string& current) const {
    QFileDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    Configure(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!current.empty()) dialog.selectFile(ToQ(current));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FromQ(dialog.selectedFiles().first());
}

}  // namespace qx::gui
