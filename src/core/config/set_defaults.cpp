// SetDefaults: every field back to its factory default. The order matters:
// check boxes and radio buttons run their rules when they change, and those
// rules may preset other fields or ask the threshold question.

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
    if (Choice(F::Serial_Baud) < 0) SetToDefault(F::Serial_Baud);
    // 2. Status line and log.
    SetStatusText({});
    ClearLog();
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
    for (F id : {F::Radio_DataRate, F::Radio_Crc, F::Radio_PackSize}) SetToDefault(id);
    // 9.
    for (F id : {F::Serial_Baud, F::Serial_Data, F::Serial_Stop, F::Serial_Parity, F::Serial_Flow}) SetToDefault(id);
    lastDtrSetting_ = 0;
    for (F id : {F::Serial_DTR, F::Serial_DCD, F::Adv_Response}) SetToDefault(id);
    // 10.
    for (F id : {F::Adv_Echo, F::Adv_Resp, F::Adv_Numeric, F::Adv_Abort, F::Adv_LinkRst, F::ed_CM_LinkRst})
        SetToDefault(id);
    // 11. S-registers and their mirrors.
    for (F id : {F::sreg_0, F::sreg_1, F::sreg_2, F::sreg_3, F::sreg_4, F::sreg_5, F::sreg_6, F::ed_CM_LinkChk,
                 F::sreg_7, F::ed_CM_SC_Attempts, F::sreg_8, F::sreg_9, F::sreg_10, F::sreg_11, F::ed_CM_SC_Delay,
                 F::sreg_12, F::sreg_13, F::sreg_14, F::sreg_16, F::Radio_TxHold, F::sreg_17})
        SetToDefault(id);
    SetNumber(F::sreg_18, 0);
    SetNumber(F::sreg_19, 0);
    // 12. PLC Mode on, then S18 and S19 from the values above.
    Modbus_CheckBoxCheck(true);
    AdjustThresholdRegisters(true);
    // 13.
    for (F id : {F::Radio_RxHold, F::sreg_20, F::sreg_21}) SetToDefault(id);
}

void WorkingConfig::Show_SS_Options(bool visible) {
    SetVisible(FieldId::sreg_21, visible);
    const char* caption = visible ? "S18 - S21" : "S18 - S20";
    if (view_.sregLastPageCaption != caption) {
        view_.sregLastPageCaption = caption;
        Notify(std::nullopt);
    }
}

}  // namespace qx
