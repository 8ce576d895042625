#include "click_after_question.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "number_edit.h"

namespace qx::gui {
namespace {

// The widget a press at `pos` (window coordinates) gives the focus to, as
// Qt chooses it: the first enabled one from the widget under the pointer up
// to the window that takes the focus by clicking.
QWidget* FocusTakerAt(QWidget* window, QPoint pos) {
    for (QWidget* w = window->childAt(pos); w && w != window; w = w->parentWidget())
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) return w;
    return nullptr;
}

}  // namespace

ClickAfterQuestion::ClickAfterQuestion(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

ClickAfterQuestion::~ClickAfterQuestion() { qApp->removeEventFilter(this); }

bool ClickAfterQuestion::eventFilter(QObject* watched, QEvent* event) {
    if (movingFocus_ && event->type() == QEvent::Show) {
        const auto* shown = qobject_cast<QWidget*>(watched);
        if (shown && shown->isWindow() && shown->isModal()) asked_ = true;
        return false;
    }
    // The press as the window gets it, before Qt moves the focus for it.
    if (event->type() != QEvent::MouseButtonPress || watched != window_->windowHandle()) return false;
    return Press(static_cast<const QMouseEvent&>(*event));
}

bool ClickAfterQuestion::Press(const QMouseEvent& press) {
    if (press.button() != Qt::LeftButton || movingFocus_) return false;
    if (!qobject_cast<NumberEdit*>(QApplication::focusWidget())) return false;
    const QPoint pos = press.position().toPoint();
    QWidget* taker = FocusTakerAt(window_, pos);
    if (!taker || taker == QApplication::focusWidget()) return false;

    const QPointer<QWidget> target = window_->childAt(pos);
    movingFocus_ = true;
    asked_ = false;
    taker->setFocus(Qt::MouseFocusReason);
    movingFocus_ = false;
    if (!asked_) return false;  // Qt goes on with the press as always
    // The release went to the box: the whole click comes again once the
    // events of the box's end have been handled.
    const Qt::KeyboardModifiers modifiers = press.modifiers();
    QTimer::singleShot(0, this, [this, target, pos, modifiers] { Replay(target, pos, modifiers); });
    return true;
}

void ClickAfterQuestion::Replay(const QPointer<QWidget>& target, QPoint windowPos, Qt::KeyboardModifiers modifiers) {
    // The answer may have hidden, disabled or moved what was clicked.
    if (!target || QApplication::activeModalWidget() || window_->childAt(windowPos) != target.data()) return;
    if (!target->isEnabled() || !target->isVisible()) return;
    const QPointF local = target->mapFrom(window_, windowPos);
    const QPointF global = window_->mapToGlobal(windowPos);
    QMouseEvent down(QEvent::MouseButtonPress, local, QPointF(windowPos), global, Qt::LeftButton, Qt::LeftButton,
                     modifiers);
    QApplication::sendEvent(target, &down);
    if (!target) return;
    QMouseEvent up(QEvent::MouseButtonRelease, local, QPointF(windowPos), global, Qt::LeftButton, Qt::NoButton,
                   modifiers);
    QApplication::sendEvent(target, &up);
}

}  // namespace qx::gui
