#include "qt_prompter.h"

#include <QPushButton>

#include "qt_text.h"

namespace qx::gui {

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return QMessageBox::Warning;
        case MessageKind::Error: return QMessageBox::Critical;
        case MessageKind::Information: return QMessageBox::Information;
        case MessageKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString TitleOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return QStringLiteral("Warning");
        case MessageKind::Error: return QStringLiteral("Error");
        case MessageKind::Information: return QStringLiteral("Information");
        case MessageKind::Confirmation: return QStringLiteral("Confirm");
    }
    return {};
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok: return QMessageBox::Ok;
        case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer QtPrompter::Show(const Message& message) {
    QMessageBox box(IconOf(message.kind), TitleOf(message.kind), ToQ(message.ShownText()),
                    ButtonsOf(message.buttons), parent_);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setTextFormat(Qt::PlainText);
    // Esc and the close box answer No, or Cancel where there is one.
    switch (message.buttons) {
        case MessageButtons::Ok: box.setEscapeButton(QMessageBox::Ok); break;
        case MessageButtons::YesNo: box.setEscapeButton(QMessageBox::No); break;
        case MessageButtons::OkCancel:
        case MessageButtons::YesNoCancel: box.setEscapeButton(QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Cancel: return Answer::Cancel;
        default: return Answer::Ok;
    }
}

}  // namespace qx::gui
