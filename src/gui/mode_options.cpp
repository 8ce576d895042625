#include "mode_options.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "field_binder.h"
#include "field_rows.h"
#include "qt_text.h"

namespace qx::gui {
namespace {

QWidget* Named(QWidget* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

constexpr FieldId kStored[4][6] = {
    {FieldId::Z0_Dest, FieldId::Z0_Rpt1, FieldId::Z0_Rpt2, FieldId::Z0_Rpt3, FieldId::Z0_Rpt4, FieldId::Z0_Rpt5},
    {FieldId::Z1_Dest, FieldId::Z1_Rpt1, FieldId::Z1_Rpt2, FieldId::Z1_Rpt3, FieldId::Z1_Rpt4, FieldId::Z1_Rpt5},
    {FieldId::Z2_Dest, FieldId::Z2_Rpt1, FieldId::Z2_Rpt2, FieldId::Z2_Rpt3, FieldId::Z2_Rpt4, FieldId::Z2_Rpt5},
    {FieldId::Z3_Dest, FieldId::Z3_Rpt1, FieldId::Z3_Rpt2, FieldId::Z3_Rpt3, FieldId::Z3_Rpt4, FieldId::Z3_Rpt5},
};
constexpr const char* kStoredCaptions[4] = {"1st Stored Destination Address:", "2nd Stored Destination Address:",
                                            "3rd Stored Destination Address:", "4th Stored Destination Address:"};

}  // namespace

ModeOptions::ModeOptions(FieldBinder& binder, QWidget* parent) : panel_(new QStackedWidget(parent)) {
    panel_->setObjectName(QStringLiteral("Panel1"));
    // In the order of OptionsGroup: Blank, Transparent, Controlled.
    panel_->addWidget(BuildBlank());
    panel_->addWidget(BuildTransparent(binder));
    panel_->addWidget(BuildControlled(binder));
}

QWidget* ModeOptions::BuildBlank() {
    auto* box = new QGroupBox(QStringLiteral("Mode Options:"), panel_);
    auto* column = CompactColumn(box);
    column->addStretch();
    for (const char* line : {"Select an Operating Mode", "to display the options for the", "chosen mode."}) {
        auto* label = new QLabel(QString::fromLatin1(line), box);
        label->setAlignment(Qt::AlignCenter);
        column->addWidget(label);
    }
    column->addStretch();
    return Named(box, "gb_Blank");
}

QWidget* ModeOptions::BuildTransparent(FieldBinder& binder) {
    auto* box = new QGroupBox(QStringLiteral("Transparent Mode Options: "), panel_);
    auto* form = CompactForm(box);
    AddNumberRow(binder, form, FieldId::ed_TM_SysAdd);
    AddNumberRow(binder, form, FieldId::ed_TM_GrpAdd1);
    AddNumberRow(binder, form, FieldId::ed_TM_GrpAdd2);
    form->addRow(binder.Check(FieldId::TM_Auto_OnLine, box));
    return Named(box, "gb_TransMode");
}

QWidget* ModeOptions::BuildControlled(FieldBinder& binder) {
    auto* box = new QGroupBox(QStringLiteral("Controlled Mode Options: "), panel_);
    auto* column = CompactColumn(box);
    column->setContentsMargins(2, 2, 2, 2);
    auto* pages = new QTabWidget(box);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->addTab(BuildGeneralPage(binder), QStringLiteral("General"));
    pages->addTab(BuildAdvancedPage(binder), QStringLiteral("Advanced"));
    pages->addTab(BuildStoredPage(binder), QStringLiteral("Stored Add"));
    pages->setCurrentIndex(0);
    column->addWidget(pages);
    return Named(box, "gb_ConMode");
}

QWidget* ModeOptions::BuildGeneralPage(FieldBinder& binder) {
    auto* page = new QWidget;
    auto* form = CompactForm(page);
    AddNumberRow(binder, form, FieldId::ed_CM_SysAdd);
    AddNumberRow(binder, form, FieldId::ed_CM_UnitAdd);
    form->addRow(binder.Check(FieldId::chk_CM_Fast, page));
    auto* note = WrappedLabel(QStringLiteral("(Repeaters will not be used)"), page);
    note->setObjectName(QStringLiteral("lbl_CM_Fast"));
    note->setIndent(18);
    form->addRow(note);
    binder.AddCompanion(FieldId::chk_CM_Fast, note);
    form->addRow(binder.Check(FieldId::chk_CM_LowPow, page));
    return page;
}

QWidget* ModeOptions::BuildAdvancedPage(FieldBinder& binder) {
    auto* page = new QWidget;
    auto* column = CompactColumn(page);
    advanced_ = new QStackedWidget(page);
    // In the order of AdvancedPanel: SingleConnect, AutoConnectSlave, AutoConnectMaster.
    auto* single = new QWidget;
    auto* singleForm = CompactForm(single);
    AddNumberRow(binder, singleForm, FieldId::ed_CM_SC_Attempts);
    AddNumberRow(binder, singleForm, FieldId::ed_CM_SC_Delay, QStringLiteral("Disconnect Delay (sec)"));
    advanced_->addWidget(Named(single, "p_CM_SC_Adv"));
    advanced_->addWidget(Named(new QWidget, "p_CM_ACS_Adv"));
    auto* autoConnect = new QWidget;
    auto* autoForm = CompactForm(autoConnect);
    AddNumberRow(binder, autoForm, FieldId::ed_CM_LinkChk, QStringLiteral("Link Check Time (sec)"));
    AddNumberRow(binder, autoForm, FieldId::ed_CM_LinkRst, QStringLiteral("Inactivity Timeout (sec)"));
    advanced_->addWidget(Named(autoConnect, "p_CM_ACM_Adv"));
    column->addWidget(advanced_);
    column->addStretch();
    return page;
}

QWidget* ModeOptions::BuildStoredPage(FieldBinder& binder) {
    auto* page = new QWidget;
    auto* column = CompactColumn(page);
    column->setContentsMargins(0, 0, 0, 0);
    stored_ = new QTabWidget(page);
    stored_->setObjectName(QStringLiteral("PageControl3"));
    for (int z = 0; z < 4; ++z) {
        auto* tab = new QWidget;
        auto* tabColumn = CompactColumn(tab);
        tabColumn->setContentsMargins(0, 0, 0, 0);
        auto* group = new QGroupBox(QString::fromLatin1(kStoredCaptions[z]), tab);
        group->setObjectName(QStringLiteral("gb_Z%1").arg(z));
        auto* form = CompactForm(group);
        form->setVerticalSpacing(1);
        AddNumberRow(binder, form, kStored[z][0], QStringLiteral("Destination"));
        form->addRow(new QLabel(QStringLiteral("(0 Disables...)"), group));
        for (int r = 1; r <= 5; ++r) AddNumberRow(binder, form, kStored[z][r], QStringLiteral("Repeater %1").arg(r));
        tabColumn->addWidget(group);
        tabColumn->addStretch();
        groups_[z] = group;
        stored_->addTab(tab, QStringLiteral("Dest %1").arg(z + 1));
    }
    stored_->setCurrentIndex(0);
    column->addWidget(stored_);
    return page;
}

void ModeOptions::Show(const ViewState& view) {
    panel_->setCurrentIndex(static_cast<int>(view.frontGroup));
    advanced_->setCurrentIndex(static_cast<int>(view.frontPanel));
    for (int z = 0; z < 4; ++z) {
        const bool visible = view.storedGroupVisible[static_cast<std::size_t>(z)];
        groups_[z]->setHidden(!visible);
        stored_->setTabVisible(z, visible);
    }
}

}  // namespace qx::gui
