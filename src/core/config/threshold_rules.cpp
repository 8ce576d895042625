// S18 (serial receive buffer threshold) and S19 (serial receive buffer
// timeout) and the "PLC Mode" check box. With PLC Mode on, the utility keeps
// both registers at values worked out from the packet size, the radio data
// rate and the module's serial rate, and offers to recompute them whenever
// one of those changes; with PLC Mode off both are 0.

#include <cmath>

#include "config/integer_text.h"
#include "config/working_config.h"

namespace qx {

namespace {

// Restores a flag when leaving a scope, also when a rule throws.
class FlagGuard {
public:
    FlagGuard(bool& flag, bool value) : flag_(flag), saved_(flag) { flag_ = value; }
    ~FlagGuard() { flag_ = saved_; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
    bool saved_;
};

}  // namespace

void WorkingConfig::AdjustThresholdRegisters(bool compute) {
    if (!compute) {
        SetNumber(FieldId::sreg_18, 0);
        SetNumber(FieldId::sreg_19, 0);
        return;
    }
    // The rates are the texts of the selected items, read as integers.
    const long double serialRate = StrToInt(SelectedItemText(FieldId::Serial_Baud));
    const long double radioRate = StrToInt(SelectedItemText(FieldId::Radio_DataRate));
    const long double packetSize = Value(FieldId::sreg_14);

    // Characters per second on the serial side (10 bits a character).
    const long double charsPerSecond = std::round(serialRate / 10);
    // Extra time per packet in seconds, as the model allows it (the main
    // model: none with fast operation on, otherwise 28 ms; the basic model
    // always 8 ms).
    const bool fast = model_.fastControlledOperation && Checked(FieldId::chk_CM_Fast) &&
                      Field(FieldId::chk_CM_Fast).presentation.visible;
    const double extra = fast ? model_.fastPacketExtraSeconds : model_.packetExtraSeconds;

    // Threshold: what is left of a packet after the serial side has filled
    // during the packet's air time (10 bits a byte) plus the extra time,
    // halved. Evaluated in this order in extended precision, rounded up.
    long double s18 = packetSize / radioRate;
    s18 = s18 * 10;
    s18 = s18 + static_cast<long double>(extra);
    s18 = s18 * charsPerSecond;
    s18 = packetSize - s18;
    s18 = s18 / 2;
    // Timeout: 40 bit periods (four characters) at the serial rate, in ms.
    long double s19 = 40 / serialRate;
    s19 = s19 * 1000;

    SetNumber(FieldId::sreg_18, static_cast<long>(std::ceil(s18)));
    SetNumber(FieldId::sreg_19, static_cast<long>(std::ceil(s19)));
}

void WorkingConfig::QueryThresholdAdjust() {
    if (!plcModeActive_) return;
    if (Ask(prompter_, MessageKind::Confirmation, MessageButtons::YesNo,
            "Automatically adjust S18 && S19 (recommended)?") == Answer::Yes)
        AdjustThresholdRegisters(true);
}

void WorkingConfig::Radio_DataRateClick() { QueryThresholdAdjust(); }

void WorkingConfig::Modbus_CheckBoxClick() {
    if (plcModeUpdating_) return;
    FlagGuard updating(plcModeUpdating_, true);
    EnableThresholdRegisters(!plcModeActive_);
}

void WorkingConfig::EnableThresholdRegisters(bool turnOn) {
    if (turnOn) {
        if (Ask(prompter_, MessageKind::Confirmation, MessageButtons::YesNo,
                "Automatically adjust threshold registers S18 && S19 (recommended)?") == Answer::No) {
            plcModeActive_ = false;
            SetChecked(FieldId::Modbus_CheckBox, false);
            Notify(std::nullopt);
            return;
        }
        plcModeActive_ = true;
        Notify(std::nullopt);
        AdjustThresholdRegisters(true);
    } else {
        if (Ask(prompter_, MessageKind::Confirmation, MessageButtons::YesNo,
                "Threshold registers S18 && S19 will be cleared continue?") == Answer::No) {
            plcModeActive_ = true;
            SetChecked(FieldId::Modbus_CheckBox, true);
            Notify(std::nullopt);
            return;
        }
        plcModeActive_ = false;
        Notify(std::nullopt);
        AdjustThresholdRegisters(false);
    }
}

void WorkingConfig::Modbus_CheckBoxCheck(bool on) {
    FlagGuard updating(plcModeUpdating_, true);
    SetChecked(FieldId::Modbus_CheckBox, on);
    if (plcModeActive_ != on) {
        plcModeActive_ = on;
        Notify(std::nullopt);
    }
}

}  // namespace qx
