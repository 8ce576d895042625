#pragma once
// A click on a control while a number field has the focus moves the focus
// on the mouse press, so the field's exit rule runs there; when the rule
// asks a question, its box takes the release and the control (a mode
// button, a check box, a radio button, a drop-down) never gets its click.
// This filter moves the focus itself before the press reaches the window;
// when a box was shown meanwhile, it drops the press and, once the box has
// gone, gives the control the whole click it was given, if it is still
// there under the pointer. Without a question nothing is changed.

#include <QObject>
#include <QPoint>
#include <QPointer>

class QMouseEvent;
class QWidget;

namespace qx::gui {

class ClickAfterQuestion : public QObject {
public:
    // Watches the mouse presses on `window` (a top-level window).
    explicit ClickAfterQuestion(QWidget* window);
    ~ClickAfterQuestion() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Press(const QMouseEvent& press);
    void Replay(const QPointer<QWidget>& target, QPoint windowPos, Qt::KeyboardModifiers modifiers);

    QWidget* window_;
    bool movingFocus_ = false;
    bool asked_ = false;
};

}  // namespace qx::gui
