#pragma once
// The look the window is laid out for: one widget style and a small font,
// whatever the desktop's settings. The program, its tests and the
// screenshot all use it.

class QApplication;

namespace qx::gui {

void ApplyApplicationLook(QApplication& app);

}  // namespace qx::gui
