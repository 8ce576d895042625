#pragma once
// Cut text: a label or button of a window whose text is wider than the room
// it has (clipped at its edge), or that runs into a neighbour. The tests and
// the window probe ("cut") look through every window with it, at whatever
// scale the window is shown.

#include <QStringList>

class QWidget;

namespace qx::gui {

// One line per widget whose text does not fit, "name: text" (the object
// name, or the class where there is none); empty when all fit. Hidden
// widgets are not looked at.
QStringList CutTexts(const QWidget* window);

}  // namespace qx::gui
