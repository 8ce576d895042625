// The operating-mode rules and the rules of the controlled-mode check boxes:
// which options group and panel come to the front, what each mode presets,
// the fast-operation limit on the unit address, and the low-power shortcut
// for the DTR setting.

#include "app/module_rates.h"
#include "config/module_serial.h"
#include "config/working_config.h"

namespace qx {

namespace {
constexpr int kDtrLowPower = 3;  // "Low Power, Disconnect"
}  // namespace

void WorkingConfig::DisplayTransModeGB() {
    SetFrontGroup(OptionsGroup::Transparent);
    SetChecked(FieldId::chk_CM_Fast, false);
    SetChecked(FieldId::chk_CM_LowPow, false);
}

void WorkingConfig::DisplayConModeGB() { SetFrontGroup(OptionsGroup::Controlled); }

void WorkingConfig::rb_TransModeClick() {
    SetMode(OperatingMode::Transparent);
    DisplayTransModeGB();
    SetEnabled(FieldId::ed_TM_GrpAdd2, false);
    SetVisible(FieldId::ed_TM_GrpAdd2, false);
}

void WorkingConfig::rb_TM_RptClick() {
    SetMode(OperatingMode::TransparentRepeater);
    DisplayTransModeGB();
    SetEnabled(FieldId::ed_TM_GrpAdd2, true);
    SetVisible(FieldId::ed_TM_GrpAdd2, true);
}

void WorkingConfig::rb_ContModeClick() {
    SetMode(OperatingMode::AutoConnectMaster);
    DisplayConModeGB();
    SetFrontPanel(AdvancedPanel::AutoConnectMaster);
    SetColor(FieldId::ed_CM_LinkChk, FieldColor::Window);
    SetColor(FieldId::ed_CM_LinkRst, FieldColor::Window);
    SetStoredGroupsVisible({true, false, false, false});
    SetNumber(FieldId::ed_CM_UnitAdd, 1);
    SetNumber(FieldId::Z0_Dest, 2);
}

void WorkingConfig::rb_CM_SlaveClick() {
    SetMode(OperatingMode::AutoConnectSlave);
    DisplayConModeGB();
    // The slave shares the Auto-Connect panel; its fields stay editable but
    // are shown on the button-face colour.
    SetFrontPanel(AdvancedPanel::AutoConnectMaster);
    SetColor(FieldId::ed_CM_LinkChk, FieldColor::ButtonFace);
    SetColor(FieldId::ed_CM_LinkRst, FieldColor::ButtonFace);
    SetStoredGroupsVisible({false, false, false, false});
    SetNumber(FieldId::ed_CM_UnitAdd, 2);
    SetNumber(FieldId::Z0_Dest, 0);
}

void WorkingConfig::rb_CM_SingleClick() {
    SetMode(OperatingMode::SingleConnect);
    DisplayConModeGB();
    SetFrontPanel(AdvancedPanel::SingleConnect);
    SetStoredGroupsVisible({true, true, true, true});
}

void WorkingConfig::chk_CM_FastClick() {
    FieldState& unit = fields_[Index(FieldId::ed_CM_UnitAdd)];
    const bool fast = Checked(FieldId::chk_CM_Fast);
    unit.max = UnitAddressLimit(fast);
    Notify(FieldId::ed_CM_UnitAdd);
    if (fast) ed_CM_UnitAddExit();
    QueryThresholdAdjust();
}

void WorkingConfig::ed_CM_UnitAddExit() {
    const int max = Field(FieldId::ed_CM_UnitAdd).max;
    if (Value(FieldId::ed_CM_UnitAdd) > max) SetNumber(FieldId::ed_CM_UnitAdd, max);
}

void WorkingConfig::chk_CM_LowPowClick() {
    SetChoice(FieldId::Serial_DTR, Checked(FieldId::chk_CM_LowPow) ? kDtrLowPower : lastDtrSetting_);
}

void WorkingConfig::Serial_DTRClick() {
    if (Field(FieldId::Serial_DTR).choice == kDtrLowPower) {
        SetChecked(FieldId::chk_CM_LowPow, true);
    } else {
        SetChecked(FieldId::chk_CM_LowPow, false);
        lastDtrSetting_ = Field(FieldId::Serial_DTR).choice;
    }
}

void WorkingConfig::Serial_BaudChange() {
    const int index = Field(FieldId::Serial_Baud).choice;
    if (!HostFollowsModuleRate(index)) {
        Tell(prompter_, MessageKind::Information,
             "The selected Baud Rate is not supported by this computer.\r\n"
             "Once configured with this value, this computer will be unable to communicate with the module.");
    }
    QueryThresholdAdjust();
}

}  // namespace qx
