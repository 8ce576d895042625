#include "settings_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "field_binder.h"
#include "field_rows.h"
#include "number_edit.h"
#include "qt_text.h"

namespace qx::gui {
namespace {

QWidget* Named(QWidget* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// One S-register row: the register's number, what it means, the field.
void AddRegisterRow(FieldBinder& binder, QGridLayout* grid, FieldId id, QStringList meaning = {}) {
    QWidget* parent = grid->parentWidget();
    const QString caption = ToQ(Spec(id).caption);
    const int space = static_cast<int>(caption.indexOf(QLatin1Char(' ')));
    if (meaning.isEmpty()) meaning << caption.mid(space + 1);
    const int row = grid->rowCount();
    NumberEdit* edit = binder.Number(id, parent);
    edit->setFixedWidth(kNumberWidth);
    grid->addWidget(edit, row, 2, Qt::AlignTop);
    auto* number = new QLabel(caption.left(space), parent);
    binder.AddCompanion(id, number);
    // The register's number and the first line of its meaning stand on the
    // field's baseline: the field centres its one line of text, so they
    // start as far below its top as that line does.
    const int drop = (edit->sizeHint().height() - number->fontMetrics().height()) / 2;
    number->setContentsMargins(0, drop, 0, 0);
    grid->addWidget(number, row, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->setContentsMargins(0, drop, 0, 0);
    for (const QString& line : meaning) {
        QLabel* label = WrappedLabel(line, parent);
        texts->addWidget(label);
        binder.AddCompanion(id, label);
    }
    grid->addLayout(texts, row, 1, Qt::AlignTop);
}

QWidget* RegisterPage(FieldBinder& binder, std::initializer_list<FieldId> registers) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);
    grid->setColumnStretch(1, 1);
    for (FieldId id : registers) AddRegisterRow(binder, grid, id);
    return page;
}

// Rows keep to the top of the page.
QWidget* Stretched(QWidget* page) {
    auto* grid = static_cast<QGridLayout*>(page->layout());
    grid->setRowStretch(grid->rowCount(), 1);
    return page;
}

}  // namespace

SettingsPages::SettingsPages(FieldBinder& binder, QWidget* parent) : box_(new QGroupBox(QStringLiteral("Settings:"), parent)) {
    box_->setObjectName(QStringLiteral("gb_FlowCtrl"));
    auto* column = CompactColumn(box_);
    column->setContentsMargins(2, 2, 2, 2);
    auto* pages = new QTabWidget(box_);
    pages->setObjectName(QStringLiteral("Page_Settings"));
    pages->addTab(Named(BuildRadioPage(binder), "Tab_Radio"), QStringLiteral("Radio"));
    pages->addTab(Named(BuildSerialPage(binder), "Tab_Data"), QStringLiteral("Serial"));
    pages->addTab(Named(BuildAdvancedPage(binder), "TabSheet7"), QStringLiteral("Advanced"));
    pages->addTab(Named(BuildSRegPage(binder), "TabSheet4"), QStringLiteral("S Reg"));
    pages->setCurrentIndex(0);
    column->addWidget(pages);
}

QWidget* SettingsPages::BuildRadioPage(FieldBinder& binder) {
    auto* page = new QWidget;
    auto* column = CompactColumn(page);
    column->addWidget(binder.RadioGroup(FieldId::Radio_DataRate, page));
    column->addWidget(binder.RadioGroup(FieldId::Radio_Crc, page));
    auto* numbers = new QWidget(page);
    auto* form = CompactForm(numbers);
    form->setContentsMargins(0, 2, 0, 0);
    AddNumberRow(binder, form, FieldId::Radio_PackSize);
    AddNumberRow(binder, form, FieldId::Radio_TxHold);
    AddNumberRow(binder, form, FieldId::Radio_RxHold);
    column->addWidget(numbers);
    column->addStretch();
    return page;
}

QWidget* SettingsPages::BuildSerialPage(FieldBinder& binder) {
    auto* page = new QWidget;
    auto* column = CompactColumn(page);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    const FieldId lists[] = {FieldId::Serial_Baud, FieldId::Serial_Data, FieldId::Serial_Stop,
                             FieldId::Serial_Parity, FieldId::Serial_Flow};
    int i = 0;
    for (FieldId id : lists) {
        auto* label = new QLabel(ToQ(Spec(id).caption), page);
        QComboBox* box = binder.DropDown(id, page);
        label->setBuddy(box);
        binder.AddCompanion(id, label);
        grid->addWidget(label, (i / 2) * 2, i % 2);
        grid->addWidget(box, (i / 2) * 2 + 1, i % 2);
        ++i;
    }
    grid->addWidget(binder.Check(FieldId::Modbus_CheckBox, page), 5, 1, Qt::AlignBottom);
    column->addLayout(grid);
    column->addWidget(binder.RadioGroup(FieldId::Serial_DTR, page));
    column->addWidget(binder.RadioGroup(FieldId::Serial_DCD, page));
    column->addStretch();
    return page;
}

QWidget* SettingsPages::BuildAdvancedPage(FieldBinder& binder) {
    auto* page = new QWidget;
    auto* column = CompactColumn(page);
    for (FieldId id : {FieldId::Adv_Echo, FieldId::Adv_Resp, FieldId::Adv_Numeric, FieldId::Adv_Abort})
        column->addWidget(binder.Check(id, page));
    column->addWidget(binder.RadioGroup(FieldId::Adv_Response, page));
    auto* numbers = new QWidget(page);
    auto* form = CompactForm(numbers);
    form->setContentsMargins(0, 2, 0, 0);
    AddNumberRow(binder, form, FieldId::Adv_LinkRst, QStringLiteral("Inactivity Timeout (sec)"));
    column->addWidget(numbers);
    column->addStretch();
    return page;
}

QWidget* SettingsPages::BuildSRegPage(FieldBinder& binder) {
    auto* page = new QWidget;
    auto* column = CompactColumn(page);
    column->setContentsMargins(0, 0, 0, 0);
    sregPages_ = new QTabWidget(page);
    sregPages_->setObjectName(QStringLiteral("PageControl2"));
    sregPages_->addTab(Stretched(RegisterPage(binder, {FieldId::sreg_0, FieldId::sreg_1, FieldId::sreg_2,
                                                       FieldId::sreg_3, FieldId::sreg_4, FieldId::sreg_5})),
                       QStringLiteral("S0 - S5"));
    sregPages_->addTab(Stretched(RegisterPage(binder, {FieldId::sreg_6, FieldId::sreg_7, FieldId::sreg_8,
                                                       FieldId::sreg_9, FieldId::sreg_10, FieldId::sreg_11})),
                       QStringLiteral("S6 - S11"));
    sregPages_->addTab(Stretched(RegisterPage(binder, {FieldId::sreg_12, FieldId::sreg_13, FieldId::sreg_14,
                                                       FieldId::sreg_16, FieldId::sreg_17})),
                       QStringLiteral("S12 - S17"));
    QWidget* last = RegisterPage(binder, {FieldId::sreg_18, FieldId::sreg_19, FieldId::sreg_20});
    AddRegisterRow(binder, static_cast<QGridLayout*>(last->layout()), FieldId::sreg_21,
                   {QStringLiteral("Radio Message"), QStringLiteral("Signature")});
    sregPages_->addTab(Named(Stretched(last), "S18_Plus_TabSheet"), ToQ(LastRegisterPageCaption(true)));
    sregPages_->setCurrentIndex(0);
    column->addWidget(sregPages_);
    return page;
}

void SettingsPages::Show(const ViewState& view) { sregPages_->setTabText(3, ToQ(view.sregLastPageCaption)); }

}  // namespace qx::gui
