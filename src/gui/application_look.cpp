#include "application_look.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace qx::gui {
namespace {

// A copy of the option that shows its focus as after a Tab key.
template <typename Option>
Option FocusShown(const QStyleOption* option) {
    Option shown(*qstyleoption_cast<const Option*>(option));
    shown.state |= QStyle::State_KeyboardFocusChange;
    return shown;
}

// Whether the option is of a focused control that Fusion would draw without
// its focus frame (it shows one only after the focus moved by keyboard).
bool FocusHidden(const QStyleOption* option) {
    return option && (option->state & QStyle::State_HasFocus) && !(option->state & QStyle::State_KeyboardFocusChange);
}

// The Fusion style, whose active tab stands out clearly, with page tabs a
// little narrower than its own: the window's columns are narrow, and every
// page of a column shows its tab ("General" to "Stored Add" in the mode
// options, "S0 - S5" to "S18 - S21" on "S Reg"). Every focused control shows
// its focus frame, however the focus got there: after a click or a command
// the user still sees where the keys go.
class WindowStyle final : public QProxyStyle {
public:
    WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        // Room beside a tab's caption, both sides together.
        if (metric == PM_TabBarTabHSpace) return kTabCaptionSpace;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (FocusHidden(option) && element == PE_FrameFocusRect &&
            qstyleoption_cast<const QStyleOptionFocusRect*>(option)) {
            const auto shown = FocusShown<QStyleOptionFocusRect>(option);
            return QProxyStyle::drawPrimitive(element, &shown, painter, widget);
        }
        if (FocusHidden(option) && element == PE_PanelButtonCommand &&
            qstyleoption_cast<const QStyleOptionButton*>(option)) {
            const auto shown = FocusShown<QStyleOptionButton>(option);
            return QProxyStyle::drawPrimitive(element, &shown, painter, widget);
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        if (FocusHidden(option) && control == CC_ComboBox && qstyleoption_cast<const QStyleOptionComboBox*>(option)) {
            const auto shown = FocusShown<QStyleOptionComboBox>(option);
            return QProxyStyle::drawComplexControl(control, &shown, painter, widget);
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
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
