#include "operating_mode_box.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "field_binder.h"
#include "field_rows.h"

namespace qx::gui {
namespace {

QGroupBox* SubGroup(const QString& caption, QWidget* parent, std::initializer_list<FieldId> buttons,
                    FieldBinder& binder) {
    auto* box = new QGroupBox(caption, parent);
    auto* column = CompactColumn(box);
    // The column is narrow: the longest captions ("Transparent Repeater",
    // "Auto-Connect Master") take all its width.
    column->setContentsMargins(2, 4, 2, 4);
    for (FieldId id : buttons) column->addWidget(binder.ModeRadio(id, box));
    return box;
}

}  // namespace

QGroupBox* BuildOperatingModeBox(FieldBinder& binder, QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Operating Mode: "), parent);
    box->setObjectName(QStringLiteral("Group_OpMode"));
    auto* column = CompactColumn(box);
    column->setContentsMargins(3, 4, 3, 4);
    column->addWidget(SubGroup(QStringLiteral("Transparent: "), box,
                               {FieldId::rb_TransMode, FieldId::rb_TM_Rpt}, binder));
    column->addWidget(SubGroup(QStringLiteral("Controlled: "), box,
                               {FieldId::rb_ContMode, FieldId::rb_CM_Slave, FieldId::rb_CM_Single}, binder));
    column->addStretch();
    return box;
}

}  // namespace qx::gui
