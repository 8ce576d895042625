#include "dialog_title.h"

#include <QDialog>
#include <QFontMetrics>

namespace qx::gui {
namespace {

// Window managers draw titles larger than the window's own small font, and
// bold; the icon and each button take about this much of the bar.
constexpr qreal kTitlePointSize = 10;
constexpr int kTitleBarItem = 24;
constexpr int kTitleBarItems = 4;
constexpr int kTitleBarMargins = 16;

}  // namespace

int TitleBarWidth(const QString& title, const QFont& font) {
    QFont titleFont = font;
    titleFont.setBold(true);
    titleFont.setPointSizeF(qMax(font.pointSizeF(), kTitlePointSize));
    return QFontMetrics(titleFont).horizontalAdvance(title) + kTitleBarItems * kTitleBarItem + kTitleBarMargins;
}

void FitToTitle(QDialog& dialog) {
    const int needed = TitleBarWidth(dialog.windowTitle(), dialog.font());
    const int width = dialog.width();
    if (needed <= width) return;
    // Placed controls keep their places relative to each other, centred.
    const int shift = (needed - width) / 2;
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) child->move(child->pos() + QPoint(shift, 0));
    dialog.setFixedSize(needed, dialog.height());
}

}  // namespace qx::gui
