#pragma once
// The window probe (--probe): for the tests that drive the real program
// under an X server with real input events, and for scripts/screenshot.
// It reads one request per line on standard input and answers each with
// one line on standard output, from whatever event loop is running, a
// modal box's included. It only looks: every change to the window comes
// from real input.
//
//   rect NAME       where NAME is on the screen, "x y width height" in the
//                   X server's pixels, or "none" (also while its window is
//                   not yet placed and active, so not yet taking input)
//   text NAME       its text (label, field, button, drop-down, the front
//                   page's caption of a page control, window title)
//   checked NAME    whether a check box or radio button is checked: "yes",
//                   "no", or "none" when NAME is no such button
//   modal           the window in front of the main window (a modal window
//                   or an open menu): "name<TAB>title<TAB>text", or "none"
//   focus           the name of the widget with the keyboard focus
//                   ("button:CAPTION" for a button without a name)
//   cut NAME        the labels and buttons of NAME's window whose text does
//                   not fit (see CutTexts), "; " between them, or "none"
//   winid NAME      the X window of a top-level window
//   grab X Y WIDTH HEIGHT FILE
//                   saves that part of the screen (X server's pixels) as PNG
//
// NAME is an object name (a widget, a menu item, a menu's title in the
// menu bar), "button:CAPTION" (a button of the window in front, captions
// without their "&"), or "tab:PAGECONTROL:CAPTION" (a page's tab).
// Line breaks in answers are written as "\n".

#include <QByteArray>
#include <QObject>
#include <QString>

namespace qx::gui {

class WindowProbe : public QObject {
    Q_OBJECT
public:
    explicit WindowProbe(QObject* parent = nullptr);

    // One request, one answer (without the line ends).
    static QString Answer(const QString& request);

private:
    void ReadRequests();

    QObject* watcher_;  // of standard input, until it ends
    QByteArray pending_;
};

}  // namespace qx::gui
