#pragma once
// Small layout helpers shared by the window's pages: compact forms and a
// labelled number row whose label follows the field's visibility.

#include <QString>

#include "config/field_table.h"

class QFormLayout;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace qx::gui {

class FieldBinder;
class NumberEdit;

inline constexpr int kNumberWidth = 52;

QFormLayout* CompactForm(QWidget* parent);
QVBoxLayout* CompactColumn(QWidget* parent);

// `label` defaults to the field's caption.
NumberEdit* AddNumberRow(FieldBinder& binder, QFormLayout* form, FieldId id, const QString& label = {});

// A label that wraps its text.
QLabel* WrappedLabel(const QString& text, QWidget* parent);

}  // namespace qx::gui
