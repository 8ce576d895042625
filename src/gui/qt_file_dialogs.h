#pragma once
// The open and save dialogs of the configuration files: one filter entry
// "*.X7R", default extension ".X7R".

#include <QString>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace qx::gui {

class QtFileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}

    // OpenDialog1: the chosen file, or nothing when cancelled.
    std::optional<std::string> AskOpenFileName() const;
    // SaveDialog1, starting from `current` when there is one.
    std::optional<std::string> AskSaveFileName(const std::string& current) const;

    // The dialogs' common set-up (exposed for tests).
    static void Configure(QFileDialog& dialog);

private:
    QWidget* parent_;
};

}  // namespace qx::gui
