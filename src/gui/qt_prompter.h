#pragma once
// The core's questions and notices as modal message boxes of the exact
// kind, button set and text.

#include <QMessageBox>

#include "app/prompter.h"

class QWidget;

namespace qx::gui {

class QtPrompter : public Prompter {
public:
    // Boxes are centred on `parent` (the main window) once it exists.
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    Answer Show(const Message& message) override;

private:
    QWidget* parent_;
};

// The icon and title of a message kind; the box's buttons.
QMessageBox::Icon IconOf(MessageKind kind);
QString TitleOf(MessageKind kind);
QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons);

}  // namespace qx::gui
