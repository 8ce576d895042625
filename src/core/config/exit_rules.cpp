// What happens when the user leaves a number field: the mirrored pairs copy
// their value across, the packet size may ask the threshold question, and
// the S18/S19 registers switch PLC Mode to match.

#include "config/command_slots.h"
#include "config/working_config.h"

namespace qx {

namespace {

// The settings shown in two places (the command slots' mirrored pairs);
// leaving either side copies its value into the other (which clamps it into
// its own, equal, range).
std::optional<FieldId> MirrorOf(FieldId id) {
    for (const auto& [a, b] : MirroredPairs()) {
        if (a == id) return b;
        if (b == id) return a;
    }
    return std::nullopt;
}

bool IsPacketSize(FieldId id) { return id == FieldId::Radio_PackSize || id == FieldId::sreg_14; }

}  // namespace

void WorkingConfig::MirroredFieldExit(FieldId id) {
    const auto mirror = MirrorOf(id);
    if (!mirror) return;
    const long value = Value(id);  // as typed, before this field is clamped
    if (IsPacketSize(id)) {
        // The packet size compares before copying: an unchanged size asks
        // nothing; any difference copies and offers to recompute S18/S19.
        if (value == Value(*mirror)) return;
        SetNumber(*mirror, value);
        QueryThresholdAdjust();
        return;
    }
    SetNumber(*mirror, value);
}

void WorkingConfig::sreg_18Exit() { PlcModeFollowsThresholds(); }

void WorkingConfig::sreg_19Exit() { PlcModeFollowsThresholds(); }

void WorkingConfig::PlcModeFollowsThresholds() {
    Modbus_CheckBoxCheck(Value(FieldId::sreg_18) != 0 || Value(FieldId::sreg_19) != 0);
}

}  // namespace qx
