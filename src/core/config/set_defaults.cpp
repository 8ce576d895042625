// SetDefaults: every field back to its factory default. The order matters:
// check boxes and radio buttons run their rules when they change, and those
// rules may preset other fields or ask the threshold question. A number runs
// no rule when the program sets it, so the registers come together.

#include "config/command_slots.h"
#include "config/working_config.h"

namespace qx {

void WorkingConfig::SetDefaults() {
    using F = FieldId;
    // 1. The model: Fast Operation only where it has it (its radio data
    // rates are the field's items from the start).
    if (!model_.fastControlledOperation) SetVisible(F::chk_CM_Fast, false);
    // A damaged readout can leave the serial rate list without a selection
    // (a rate code beyond its items). The data-rate step below may ask the
    // threshold question, whose formula needs that rate: give the list its
    // default first (a program change of a drop-down runs no rule), so that
    // the reset itself cannot fail.
    if (Field(F::Serial_Baud).choice < 0) SetToDefault(F::Serial_Baud);
    // 2. Status line and log.
    if (onDefaults_) onDefaults_();
    // 3. Transparent mode, in any case.
    SetChecked(F::rb_TransMode, true);
    RequestFocus(F::rb_TransMode);
    SetMode(OperatingMode::Transparent);
    // 4.
    SetNumber(F::ed_CM_SysAdd, 0);
    SetToDefault(F::ed_CM_UnitAdd);
    SetToDefault(F::chk_CM_Fast);
    SetToDefault(F::chk_CM_LowPow);
    // 5. Stored destinations and their repeaters.
    for (std::size_t i = Index(F::Z0_Dest); i <= Index(F::Z3_Rpt5); ++i) SetToDefault(static_cast<F>(i));
    // 6. A random system address, 1..254, on both pages.
    SetNumber(F::ed_TM_SysAdd, systemAddress_());
    SetNumber(F::ed_CM_SysAdd, Value(F::ed_TM_SysAdd));
    // 7.
    for (F id : {F::ed_TM_GrpAdd1, F::ed_TM_GrpAdd2, F::TM_Auto_OnLine}) SetToDefault(id);
    // 8.
    for (F id : {F::Radio_DataRate, F::Radio_Crc}) SetToDefault(id);
    // 9.
    for (F id : {F::Serial_Baud, F::Serial_Data, F::Serial_Stop, F::Serial_Parity, F::Serial_Flow}) SetToDefault(id);
    lastDtrSetting_ = 0;
    for (F id : {F::Serial_DTR, F::Serial_DCD, F::Adv_Response}) SetToDefault(id);
    // 10.
    for (F id : {F::Adv_Echo, F::Adv_Resp, F::Adv_Numeric, F::Adv_Abort, F::Adv_LinkRst, F::ed_CM_LinkRst})
        SetToDefault(id);
    // 11. Every register the listing names, with the field that shows it
    // again; the thresholds S18 and S19 start at 0 and are worked out below.
    for (const CommandSlot& slot : kCommandSlots) {
        if (!slot.IsRegister()) continue;
        if (Spec(slot.Field()).defaultValue == kComputed) {
            SetNumber(slot.Field(), 0);
            continue;
        }
        SetToDefault(slot.Field());
        if (const auto mirror = slot.Mirror()) SetToDefault(*mirror);
    }
    // 12. PLC Mode on, then S18 and S19 from the values above.
    Modbus_CheckBoxCheck(true);
    AdjustThresholdRegisters(true);
}

void WorkingConfig::StartUp() {
    Show_SS_Options(model_.s21);
    SetFrontGroup(OptionsGroup::Blank);
    SetMode(OperatingMode::None);
    SetDefaults();
}

void WorkingConfig::Show_SS_Options(bool visible) {
    SetVisible(FieldId::sreg_21, visible);
    const std::string_view caption = LastRegisterPageCaption(visible);
    if (view_.sregLastPageCaption != caption) {
        view_.sregLastPageCaption = caption;
        Notify(std::nullopt);
    }
}

}  // namespace qx
