#pragma once
// The look the window is laid out for: one widget style and a small font,
// whatever the desktop's settings, and the application's icon on every
// window. The program, its tests and the screenshot all use it.

class QApplication;
class QIcon;

namespace qx::gui {

void ApplyApplicationLook(QApplication& app);

// The program's icon (packaging/icons/qxconfig.svg) in every size built in.
QIcon ApplicationIcon();

}  // namespace qx::gui
