#pragma once
// The middle column: the blank, transparent and controlled options groups
// stacked in one place (Panel1), only the front one visible. The controlled
// group holds the pages "General", "Advanced" (one panel per controlled
// mode) and "Stored Add" (one tab per stored destination).

#include "config/view_state.h"

class QStackedWidget;
class QTabWidget;
class QWidget;

namespace qx::gui {

class FieldBinder;

class ModeOptions {
public:
    ModeOptions(FieldBinder& binder, QWidget* parent);

    QStackedWidget* Panel() const { return panel_; }
    // Front group, advanced panel and stored-destination tabs from the view.
    void Show(const ViewState& view);

private:
    QWidget* BuildBlank();
    QWidget* BuildTransparent(FieldBinder& binder);
    QWidget* BuildControlled(FieldBinder& binder);
    QWidget* BuildGeneralPage(FieldBinder& binder);
    QWidget* BuildAdvancedPage(FieldBinder& binder);
    QWidget* BuildStoredPage(FieldBinder& binder);

    QStackedWidget* panel_;
    QStackedWidget* advanced_ = nullptr;
    QTabWidget* stored_ = nullptr;
    QWidget* groups_[4] = {};
};

}  // namespace qx::gui
