#pragma once
// The toolbar's pictures: the desktop theme's where it has a fitting one,
// our own drawings for the two module transfers.

#include <QIcon>

class QStyle;

namespace qx::gui {

enum class ToolbarImage { New, Open, Save, ReadModule, ConfigureModule, ComSettings, Defaults, Help };

QIcon ToolbarIcon(ToolbarImage image, const QStyle& style);

}  // namespace qx::gui
