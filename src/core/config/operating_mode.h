#pragma once

#include <cstdint>
#include <optional>

#include "config/field_table.h"

namespace qx {

enum class OperatingMode : std::uint8_t {
    None = 0,
    Transparent = 1,
    TransparentRepeater = 2,
    AutoConnectMaster = 3,
    AutoConnectSlave = 4,
    SingleConnect = 5,
};

// Modes above TransparentRepeater are the controlled modes.
inline bool IsControlled(OperatingMode m) { return static_cast<int>(m) > 2; }

// The radio button whose rule selects the mode (None has none).
std::optional<FieldId> ModeRadioButton(OperatingMode mode);

}  // namespace qx
