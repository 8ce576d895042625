#include "window_probe.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <optional>

#include "probe_stdio.h"
#include "text_fit.h"

namespace qx::gui {
namespace {

QString WithoutAccessKeys(QString caption) { return caption.remove(QLatin1Char('&')); }

// The window in front: a modal window, else an open menu.
QWidget* FrontWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activePopupWidget();
}

// Visible widgets of every top-level window, the one in front first.
QList<QWidget*> VisibleWidgets() {
    QList<QWidget*> windows = QApplication::topLevelWidgets();
    if (QWidget* front = FrontWindow()) windows.prepend(front);
    QList<QWidget*> all;
    for (QWidget* window : windows) {
        if (!window->isVisible()) continue;
        all.append(window);
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->isVisible()) all.append(w);
    }
    return all;
}

QWidget* WidgetNamed(const QString& name) {
    for (QWidget* w : VisibleWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

// A rectangle of `w` (its own coordinates) in the X server's pixels.
QRect OnScreen(const QWidget* w, const QRect& r) {
    const qreal ratio = w->devicePixelRatioF();
    const QPoint topLeft = w->mapToGlobal(r.topLeft());
    return {qRound(topLeft.x() * ratio), qRound(topLeft.y() * ratio), qRound(r.width() * ratio),
            qRound(r.height() * ratio)};
}

struct Located {
    QRect rect;
    QString text;
    const QWidget* owner;  // the widget itself, or the bar or menu that holds it
};

// Input reaches a window once the window manager has placed and activated
// it (a pop-up menu is placed by the program itself): until then a place
// on the screen is not yet where a click would land.
bool TakesInput(const QWidget* w) {
    const QWidget* window = w->window();
    return window->isActiveWindow() || window->windowType() == Qt::Popup;
}

// A menu item or a menu's title in a visible menu bar or menu.
std::optional<Located> MenuItemNamed(const QString& name) {
    for (QWidget* w : VisibleWidgets()) {
        const auto* bar = qobject_cast<QMenuBar*>(w);
        const auto* menu = qobject_cast<QMenu*>(w);
        if (!bar && !menu) continue;
        for (QAction* a : w->actions()) {
            const bool named = a->objectName() == name || (a->menu() && a->menu()->objectName() == name);
            if (!named) continue;
            const QRect r = bar ? bar->actionGeometry(a) : menu->actionGeometry(a);
            return Located{OnScreen(w, r), a->text(), w};
        }
    }
    return std::nullopt;
}

std::optional<Located> ButtonCaptioned(const QString& caption) {
    QWidget* front = FrontWindow();
    const QList<QWidget*> widgets = front ? front->findChildren<QWidget*>() : VisibleWidgets();
    for (QWidget* w : widgets) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (button && button->isVisible() && WithoutAccessKeys(button->text()) == caption)
            return Located{OnScreen(button, button->rect()), button->text(), button};
    }
    return std::nullopt;
}

std::optional<Located> TabCaptioned(const QString& pages, const QString& caption) {
    const auto* control = qobject_cast<QTabWidget*>(WidgetNamed(pages));
    if (!control) return std::nullopt;
    const QTabBar* bar = control->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        if (bar->isTabVisible(i) && WithoutAccessKeys(bar->tabText(i)) == caption)
            return Located{OnScreen(bar, bar->tabRect(i)), bar->tabText(i), bar};
    return std::nullopt;
}

QString TextOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (const auto* box = qobject_cast<const QComboBox*>(w)) return box->currentText();
    if (const auto* pages = qobject_cast<const QTabWidget*>(w)) return WithoutAccessKeys(pages->tabText(pages->currentIndex()));
    return w->isWindow() ? w->windowTitle() : QString();
}

std::optional<Located> Locate(const QString& name) {
    if (name.startsWith(QLatin1String("button:"))) return ButtonCaptioned(name.mid(7));
    if (name.startsWith(QLatin1String("tab:"))) {
        const QStringList parts = name.split(QLatin1Char(':'));
        if (parts.size() != 3) return std::nullopt;
        return TabCaptioned(parts[1], parts[2]);
    }
    if (QWidget* w = WidgetNamed(name)) return Located{OnScreen(w, w->rect()), TextOf(w), w};
    return MenuItemNamed(name);
}

QString Describe(const QWidget* window) {
    const auto* box = qobject_cast<const QMessageBox*>(window);
    return window->objectName() + QLatin1Char('\t') + window->windowTitle() + QLatin1Char('\t') +
           (box ? box->text() : QString());
}

// A part of the screen, in the X server's pixels, as PNG.
QString Grab(const QString& request) {
    const QStringList parts = request.split(QLatin1Char(' '));
    if (parts.size() != 6) return QStringLiteral("grab takes X Y WIDTH HEIGHT FILE");
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap whole = screen->grabWindow(0);
    const QRect part(parts[1].toInt(), parts[2].toInt(), parts[3].toInt(), parts[4].toInt());
    QPixmap shot = whole.copy(part);
    shot.setDevicePixelRatio(1);
    return shot.save(parts[5], "PNG") ? QStringLiteral("ok") : QStringLiteral("cannot write ") + parts[5];
}

}  // namespace

WindowProbe::WindowProbe(QObject* parent)
    : QObject(parent), watcher_(WatchStdin(this, [this] { ReadRequests(); })) {}

void WindowProbe::ReadRequests() {
    if (!ReadAvailableStdin(pending_) && watcher_) {
        watcher_->deleteLater();  // the asking side has gone
        watcher_ = nullptr;
    }
    for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
        const QString request = QString::fromUtf8(pending_.left(end)).trimmed();
        pending_.remove(0, end + 1);
        const QByteArray reply = Answer(request).replace(QLatin1Char('\n'), QLatin1String("\\n")).toUtf8() + '\n';
        if (!WriteStdout(reply)) return;
    }
}

QString WindowProbe::Answer(const QString& request) {
    const QString command = request.section(QLatin1Char(' '), 0, 0);
    // The rest of the line: captions may hold spaces.
    const QString name = request.section(QLatin1Char(' '), 1);
    const QString none = QStringLiteral("none");
    if (command == QLatin1String("rect")) {
        const auto found = Locate(name);
        if (!found || !TakesInput(found->owner)) return none;
        const QRect& r = found->rect;
        return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    if (command == QLatin1String("text")) {
        const auto found = Locate(name);
        return found ? found->text : none;
    }
    if (command == QLatin1String("checked")) {
        const auto* button = qobject_cast<const QAbstractButton*>(WidgetNamed(name));
        if (!button) return none;
        return button->isChecked() ? QStringLiteral("yes") : QStringLiteral("no");
    }
    if (command == QLatin1String("modal")) {
        const QWidget* front = FrontWindow();
        return front ? Describe(front) : none;
    }
    if (command == QLatin1String("focus")) {
        const QWidget* w = QApplication::focusWidget();
        if (!w) return none;
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        if (w->objectName().isEmpty() && button) return QStringLiteral("button:") + WithoutAccessKeys(button->text());
        return w->objectName();
    }
    if (command == QLatin1String("cut")) {
        const QWidget* w = WidgetNamed(name);
        if (!w) return QStringLiteral("no window ") + name;
        const QStringList cut = CutTexts(w->window());
        return cut.isEmpty() ? none : cut.join(QLatin1String("; "));
    }
    if (command == QLatin1String("winid")) {
        const QWidget* w = WidgetNamed(name);
        return w && w->isWindow() ? QString::number(w->winId()) : none;
    }
    if (command == QLatin1String("grab")) {
        // What is on the screen now, every window painted.
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) window->repaint();
        return Grab(request);
    }
    return QStringLiteral("unknown request: ") + request;
}

}  // namespace qx::gui
