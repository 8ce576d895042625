#include "field_rows.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "field_binder.h"
#include "number_edit.h"
#include "qt_text.h"

namespace qx::gui {

QFormLayout* CompactForm(QWidget* parent) {
    auto* form = new QFormLayout(parent);
    form->setContentsMargins(6, 6, 6, 4);
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(3);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    return form;
}

QVBoxLayout* CompactColumn(QWidget* parent) {
    auto* column = new QVBoxLayout(parent);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);
    return column;
}

NumberEdit* AddNumberRow(FieldBinder& binder, QFormLayout* form, FieldId id, const QString& label) {
    QWidget* parent = form->parentWidget();
    auto* caption = WrappedLabel(label.isEmpty() ? ToQ(Spec(id).caption) : label, parent);
    NumberEdit* edit = binder.Number(id, parent);
    edit->setFixedWidth(kNumberWidth);
    caption->setBuddy(edit);
    form->addRow(caption, edit);
    binder.AddCompanion(id, caption);
    return edit;
}

QLabel* WrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace qx::gui
