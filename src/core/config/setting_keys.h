#pragma once
// The readable name of every setting: one key per module setting
// ("serial.baud", "s7", "mode"), the labels of its values, its unit, and
// the models and operating modes it applies to. What the module makes of
// it (the command it feeds, the steps it stores it in, whether it is only
// reported, the field that shows it again) comes from its command slot.
//
// A setting is one field of the field table, or two when the window shows
// it in two places (the mirrored pairs: "s7" is sreg_7 and
// ed_CM_SC_Attempts); the five mode radio buttons together are the one
// setting "mode". Control names stay valid names for their fields; the
// keys are what people and scripts are meant to use.
//
// A setting's value is an integer: a number's value, a choice's item
// index, 0 or 1 for a check box, the OperatingMode (1..5) for "mode".

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/model_variant.h"
#include "config/field_table.h"
#include "config/operating_mode.h"

namespace qx {

// The operating modes a setting applies to, as bits of 1 << OperatingMode.
namespace modes {
inline constexpr unsigned kTransparent = 1u << 1;
inline constexpr unsigned kRepeater = 1u << 2;
inline constexpr unsigned kMaster = 1u << 3;
inline constexpr unsigned kSlave = 1u << 4;
inline constexpr unsigned kSingle = 1u << 5;
inline constexpr unsigned kTransparentModes = kTransparent | kRepeater;
inline constexpr unsigned kControlled = kMaster | kSlave | kSingle;
inline constexpr unsigned kEvery = kTransparentModes | kControlled;
}  // namespace modes

inline bool AppliesIn(unsigned modeSet, OperatingMode mode) {
    return (modeSet & (1u << static_cast<unsigned>(mode))) != 0;
}

struct SettingKey {
    std::string_view key;                      // "serial.baud"
    std::string_view alias;                    // a second readable name ("radio.packet-size"), or empty
    FieldId field;                             // the field the key names; rb_TransMode for "mode"
    std::string_view unit;                     // "ms", "s", "bytes", "-dBm", or empty
    unsigned modes;                            // where it applies, see modes::
    ModelFeature needs;                        // what the model must have (S21, Fast Operation)
    std::span<const std::string_view> labels;  // a choice's value labels; empty: its item texts
    std::string_view note;                     // anything else a user should know
    // From the command slot that carries the field:
    std::optional<FieldId> mirror = {};  // the field showing the same setting elsewhere
    int step = 1;                        // what the module stores it in (S1: 20 ms steps), else 1
    bool readOnly = false;               // reported by the module, never written
};

// Every setting, in the order they are listed and printed ("mode" first).
std::span<const SettingKey> AllSettings();

// The setting with this key or alias; nullptr when there is none.
const SettingKey* FindSettingKey(std::string_view name);

// The setting a field belongs to (a mirror's and a mode button's too).
const SettingKey& SettingOf(FieldId field);

inline bool IsModeSetting(const SettingKey& s) { return Spec(s.field).kind == FieldKind::Radio; }

// The commands the setting feeds ("ATS7=", "AT&B", "AT&L, AT&M" for the
// mode); empty for a setting no command writes.
std::string SettingCommand(const SettingKey& setting);

}  // namespace qx
