#pragma once
// A number field: a line edit that, while typing, accepts any mix of
// digits, signs and the decimal point, and reports when the user leaves it.
// It keeps no value of its own; whoever owns the text sets it.

#include <QLineEdit>

namespace qx::gui {

class NumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(QWidget* parent = nullptr);

signals:
    // The input focus moved to another control of the same window (not when
    // the window itself or a pop-up menu took it).
    void left();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace qx::gui
