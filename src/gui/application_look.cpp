#include "application_look.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace qx::gui {

void ApplyApplicationLook(QApplication& app) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
    QFont font = QApplication::font();
    font.setPointSize(8);
    app.setFont(font);
    // Page tabs as narrow as their captions, so that every page of a
    // column shows its tab.
    app.setStyleSheet(QStringLiteral("QTabBar::tab { padding: 1px 2px; }"));
}

}  // namespace qx::gui
