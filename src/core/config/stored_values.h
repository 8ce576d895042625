#pragma once
// Setting values applied the way a file load applies them: through the
// program's setters (numbers clamp silently, a check box or radio button
// runs its rule when its state really changes), not as the user's actions,
// so a setting hidden in the current mode is taken as stored. A mirrored
// setting sets both of its fields.
//
// The order is fixed, whatever order the values came in, so that the
// rules a change runs never undo a value given: the mode first (its rule
// presets the unit address and the first destination), then Fast
// Operation, Low Power Mode and the DTR choice (with the DTR rule, as a
// readout runs it), then every other setting in table order, and PLC Mode
// last (given, or following S18/S19 as a readout decides it). While S18,
// S19 or PLC Mode are among the values, PLC Mode is held off until the end,
// so no threshold question is asked whose answer would be overwritten.
//
// Settings that the module only reports (S9, S12, S13) are not applied: a
// file load never takes them either.

#include <array>
#include <optional>
#include <vector>

#include "config/setting_keys.h"
#include "config/working_config.h"

namespace qx {

// A number that did not fit its field's range when it was applied.
struct ClampedValue {
    const SettingKey* setting;
    long given;
    long applied;
};

class StoredValues {
public:
    // Records a value (see setting_keys.h for what a value is). False when
    // the setting has one already.
    bool Add(const SettingKey& setting, long value);
    bool Empty() const;

    // Applies every value; returns the numbers that were clamped.
    std::vector<ClampedValue> ApplyTo(WorkingConfig& config) const;

private:
    std::optional<long> ValueOf(FieldId field) const { return values_[Index(field)]; }

    std::array<std::optional<long>, kFieldCount> values_{};  // by the setting's own field
};

}  // namespace qx
