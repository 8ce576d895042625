#pragma once
// The open and save dialogs of the configuration files (OpenDialog1,
// SaveDialog1): one filter entry "*.X7R", default extension ".X7R", starting
// in the current working directory and leaving it at the folder chosen; the
// save dialog does not ask before replacing a file.

#include "files/file_dialogs.h"

class QFileDialog;
class QWidget;

namespace qx::gui {

class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}

    std::optional<std::string> AskOpenPath() override;
    std::optional<std::string> AskSavePath() override;

    // The dialogs' common set-up (exposed for tests).
    static void Configure(QFileDialog& dialog);

private:
    std::optional<std::string> Ask(QFileDialog& dialog);
    QWidget* parent_;
};

}  // namespace qx::gui
