#include "text_fit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <optional>

namespace qx::gui {
namespace {

constexpr int kIconGap = 4;  // between a push button's icon and its text
constexpr int kFrame = 4;    // a push button's frame and the least room inside it

// The text as drawn: an access key's "&" takes no room, "&&" shows as "&".
QString Drawn(QString text) {
    text.replace(QLatin1String("&&"), QString(QChar(0x1)));
    text.remove(QLatin1Char('&'));
    return text.replace(QChar(0x1), QLatin1Char('&'));
}

QString Named(const QWidget* w, const QString& text) {
    const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    return name + QLatin1String(": ") + text;
}

// The width the widget's text needs, and the width it has for it.
struct Fit {
    int needed = 0;
    int room = 0;
};

std::optional<Fit> FitOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->wordWrap() || label->text().isEmpty() || label->textFormat() == Qt::RichText) return std::nullopt;
        int widest = 0;
        for (const QString& line : Drawn(label->text()).split(QLatin1Char('\n')))
            widest = qMax(widest, label->fontMetrics().horizontalAdvance(line));
        return Fit{widest, label->contentsRect().width() - 2 * label->margin()};
    }
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    if (!button || qobject_cast<const QToolButton*>(w) || button->text().isEmpty()) return std::nullopt;
    if (qobject_cast<const QPushButton*>(w)) {
        // A push button's size hint keeps a generous margin; what must fit
        // is its text and icon within the frame.
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + kIconGap;
        const int text = button->fontMetrics().horizontalAdvance(Drawn(button->text()));
        return Fit{icon + text + 2 * kFrame, button->width()};
    }
    // A check box or radio button: indicator, gap and text, exactly.
    return Fit{button->sizeHint().width(), button->width()};
}

// The text the widget shows, for the report.
QString TextOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    return {};
}

bool HasText(const QWidget* w) { return !TextOf(w).isEmpty() && !qobject_cast<const QToolButton*>(w); }

}  // namespace

QStringList CutTexts(const QWidget* window) {
    QStringList cut;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (const QWidget* w : widgets) {
        if (!w->isVisibleTo(window) || !HasText(w)) continue;
        if (const auto fit = FitOf(w); fit && fit->needed > fit->room) {
            cut << Named(w, TextOf(w)) + QStringLiteral(" (needs %1, has %2)").arg(fit->needed).arg(fit->room);
            continue;
        }
        // A neighbour in the same parent drawn over the text's room.
        for (const QWidget* other : widgets) {
            if (other == w || other->parentWidget() != w->parentWidget() || !other->isVisibleTo(window)) continue;
            if (!HasText(other) || !w->geometry().intersects(other->geometry())) continue;
            cut << Named(w, TextOf(w)) + QLatin1String(" (under ") + Named(other, TextOf(other)) + QLatin1Char(')');
            break;
        }
    }
    return cut;
}

}  // namespace qx::gui
