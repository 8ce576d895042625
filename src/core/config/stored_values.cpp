#include "config/stored_values.h"

#include <algorithm>

namespace qx {

namespace {

using F = FieldId;

// Settings that the fixed order takes before the rest, or after it.
bool TakenApart(FieldId field) {
    return field == F::rb_TransMode || field == F::chk_CM_Fast || field == F::chk_CM_LowPow ||
           field == F::Serial_DTR || field == F::Modbus_CheckBox;
}

}  // namespace

bool StoredValues::Add(const SettingKey& setting, long value) {
    auto& slot = values_[Index(setting.field)];
    if (slot) return false;
    slot = value;
    return true;
}

bool StoredValues::Empty() const {
    return std::none_of(values_.begin(), values_.end(), [](const auto& v) { return v.has_value(); });
}

std::vector<ClampedValue> StoredValues::ApplyTo(WorkingConfig& config) const {
    const auto s18 = ValueOf(F::sreg_18), s19 = ValueOf(F::sreg_19), plc = ValueOf(F::Modbus_CheckBox);
    const bool plcDecidedHere = s18 || s19 || plc;
    if (plcDecidedHere) config.SetPlcMode(false);

    if (const auto mode = ValueOf(F::rb_TransMode))
        if (const auto button = ModeRadioButton(static_cast<OperatingMode>(*mode))) config.SetChecked(*button, true);
    if (const auto fast = ValueOf(F::chk_CM_Fast)) config.SetChecked(F::chk_CM_Fast, *fast != 0);
    if (const auto lowPower = ValueOf(F::chk_CM_LowPow)) config.SetChecked(F::chk_CM_LowPow, *lowPower != 0);
    if (const auto dtr = ValueOf(F::Serial_DTR)) {
        // The DTR rule expects Low Power Mode clear, as after the reset that
        // precedes every readout; it then sets the box from the choice.
        config.SetChecked(F::chk_CM_LowPow, false);
        config.SetChoice(F::Serial_DTR, static_cast<int>(*dtr));
        config.DtrChoiceLoaded();
    }

    std::vector<ClampedValue> clamped;
    for (const SettingKey& setting : AllSettings()) {
        const auto value = ValueOf(setting.field);
        if (!value || setting.readOnly || TakenApart(setting.field)) continue;
        switch (Spec(setting.field).kind) {
            case FieldKind::Number:
                config.SetNumber(setting.field, *value);
                if (setting.mirror) config.SetNumber(*setting.mirror, *value);
                if (config.Value(setting.field) != *value)
                    clamped.push_back({&setting, *value, config.Value(setting.field)});
                break;
            case FieldKind::Choice: config.SetChoice(setting.field, static_cast<int>(*value)); break;
            case FieldKind::Flag: config.SetChecked(setting.field, *value != 0); break;
            case FieldKind::Radio: break;
        }
    }

    if (plc)
        config.SetPlcMode(*plc != 0);
    else if (plcDecidedHere)
        config.PlcModeFollowsThresholds();
    return clamped;
}

}  // namespace qx
