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

// The highest unit address in a controlled mode: 15 with fast operation,
// else 127.
struct UnitAddressLimits {
    static constexpr int kNormal = 127;
    static constexpr int kFast = 15;
};
constexpr int UnitAddressLimit(bool fastOperation) {
    return fastOperation ? UnitAddressLimits::kFast : UnitAddressLimits::kNormal;
}

// The radio button whose rule selects the mode (None has none).
std::optional<FieldId> ModeRadioButton(OperatingMode mode);

}  // namespace qx
