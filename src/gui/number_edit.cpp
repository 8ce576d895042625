#include "number_edit.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

namespace qx::gui {

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9+\\-.]*")), this));
}

void NumberEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) emit left();
}

}  // namespace qx::gui
