#include "application_look.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QProxyStyle>
#include <QStyleFactory>

namespace qx::gui {
namespace {

// The Fusion style, whose active tab stands out clearly, with page tabs a
// little narrower than its own: the window's columns are narrow, and every
// page of a column shows its tab ("General" to "Stored Add" in the mode
// options, "S0 - S5" to "S18 - S21" on "S Reg").
class WindowStyle final : public QProxyStyle {
public:
    WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        // Room beside a tab's caption, both sides together.
        if (metric == PM_TabBarTabHSpace) return kTabCaptionSpace;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    static constexpr int kTabCaptionSpace = 6;
};

}  // namespace

void ApplyApplicationLook(QApplication& app) {
    QApplication::setStyle(new WindowStyle);
    QFont font = QApplication::font();
    font.setPointSize(8);
    app.setFont(font);
    app.setWindowIcon(ApplicationIcon());
}

QIcon ApplicationIcon() {
    // Every size the build rendered from the drawing.
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString& file : sizes.entryList(QDir::Files)) icon.addFile(sizes.filePath(file));
    return icon;
}

}  // namespace qx::gui
