#pragma once
// The left column's "Operating Mode: " box: the two transparent and three
// controlled mode radio buttons.

class QGroupBox;
class QWidget;

namespace qx::gui {

class FieldBinder;

QGroupBox* BuildOperatingModeBox(FieldBinder& binder, QWidget* parent);

}  // namespace qx::gui
