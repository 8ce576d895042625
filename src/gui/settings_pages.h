#pragma once
// The right column: "Settings:" with the pages "Radio", "Serial",
// "Advanced" and "S Reg" (itself four pages of S-registers).

#include "config/view_state.h"

class QGroupBox;
class QTabWidget;
class QWidget;

namespace qx::gui {

class FieldBinder;

class SettingsPages {
public:
    SettingsPages(FieldBinder& binder, QWidget* parent);

    QGroupBox* Box() const { return box_; }
    // The last S-register page's caption from the view.
    void Show(const ViewState& view);

private:
    QWidget* BuildRadioPage(FieldBinder& binder);
    QWidget* BuildSerialPage(FieldBinder& binder);
    QWidget* BuildAdvancedPage(FieldBinder& binder);
    QWidget* BuildSRegPage(FieldBinder& binder);

    QGroupBox* box_;
    QTabWidget* sregPages_ = nullptr;
};

}  // namespace qx::gui
