#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace qx::gui {
namespace {

// A module (a box with an aerial) and an arrow: pointing away from the
// module for a read, into it for a configure.
QIcon DrawTransfer(bool intoModule) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(70, 110, 170));
    p.drawRoundedRect(QRectF(10.5, 7.5, 8, 11), 1.5, 1.5);
    p.drawLine(QPointF(16.5, 7.5), QPointF(16.5, 1.5));
    p.setBrush(QColor(240, 200, 60));
    p.drawEllipse(QPointF(12.5, 10.5), 1, 1);

    QPainterPath arrow;
    const double y = 13;
    if (intoModule) {
        arrow.moveTo(1, y - 1.5);
        arrow.lineTo(5, y - 1.5);
        arrow.lineTo(5, y - 4.5);
        arrow.lineTo(9.5, y);
        arrow.lineTo(5, y + 4.5);
        arrow.lineTo(5, y + 1.5);
        arrow.lineTo(1, y + 1.5);
    } else {
        arrow.moveTo(9.5, y - 1.5);
        arrow.lineTo(5.5, y - 1.5);
        arrow.lineTo(5.5, y - 4.5);
        arrow.lineTo(1, y);
        arrow.lineTo(5.5, y + 4.5);
        arrow.lineTo(5.5, y + 1.5);
        arrow.lineTo(9.5, y + 1.5);
    }
    arrow.closeSubpath();
    p.setBrush(intoModule ? QColor(200, 60, 40) : QColor(40, 150, 60));
    p.drawPath(arrow);
    return QIcon(pixmap);
}

}  // namespace

QIcon ToolbarIcon(ToolbarImage image, const QStyle& style) {
    switch (image) {
        case ToolbarImage::New: return style.standardIcon(QStyle::SP_FileIcon);
        case ToolbarImage::Open: return style.standardIcon(QStyle::SP_DialogOpenButton);
        case ToolbarImage::Save: return style.standardIcon(QStyle::SP_DialogSaveButton);
        case ToolbarImage::ReadModule: return DrawTransfer(false);
        case ToolbarImage::ConfigureModule: return DrawTransfer(true);
        case ToolbarImage::ComSettings: return style.standardIcon(QStyle::SP_ComputerIcon);
        case ToolbarImage::Defaults: return style.standardIcon(QStyle::SP_BrowserReload);
        case ToolbarImage::Help: return style.standardIcon(QStyle::SP_MessageBoxQuestion);
    }
    return {};
}

}  // namespace qx::gui
