#pragma once
// Binds widgets to the fields of the working configuration. The model owns
// every value and presentation state; widgets show them and forward the
// user's actions (typing and leaving a number, picking an item, clicking a
// check box or radio button). Programmatic updates never re-run a rule:
// widgets are refreshed with their signals blocked.

#include <QObject>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "config/working_config.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;
class QWidget;

namespace qx::gui {

class NumberEdit;

class FieldBinder : public QObject {
    Q_OBJECT
public:
    explicit FieldBinder(WorkingConfig& config);
    ~FieldBinder() override;

    // Each creates the field's widget (named after the field) under `parent`.
    NumberEdit* Number(FieldId id, QWidget* parent);
    QCheckBox* Check(FieldId id, QWidget* parent);
    QRadioButton* ModeRadio(FieldId id, QWidget* parent);
    QGroupBox* RadioGroup(FieldId id, QWidget* parent);
    QComboBox* DropDown(FieldId id, QWidget* parent);

    // A label or note that is shown and hidden together with the field.
    void AddCompanion(FieldId id, QWidget* companion);

    QWidget* WidgetOf(FieldId id) const;
    // Refreshes every bound widget from the model.
    void SyncAll();

signals:
    // The view state changed (front group, captions, status text, log...).
    void viewChanged();
    // The user typed into, left, picked or clicked a field (after the
    // model has run the action's rules).
    void userActed();

private:
    struct Binding {
        QWidget* widget = nullptr;
        std::vector<QWidget*> companions;
        std::function<void()> syncValue;
    };

    void Bind(FieldId id, QWidget* widget, std::function<void()> syncValue);
    void Sync(FieldId id);
    void OnModelChanged(std::optional<FieldId> id);

    WorkingConfig& config_;
    std::array<Binding, kFieldCount> bindings_{};
    int subscription_ = 0;
};

}  // namespace qx::gui
