#pragma once
// A fixed dialog as narrow as its controls cuts its own title under a
// window manager that puts an icon and minimise, maximise and close buttons
// in every title bar ("Select E... aracter"). FitToTitle widens such a
// dialog, its controls moved to stay centred, until the title has room.

class QDialog;
class QFont;
class QString;

namespace qx::gui {

// The width a window needs for `title` in a title bar with its icon and
// three buttons, the title in a bold font a little larger than `font`.
int TitleBarWidth(const QString& title, const QFont& font);

void FitToTitle(QDialog& dialog);

}  // namespace qx::gui
