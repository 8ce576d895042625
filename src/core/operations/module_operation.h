#pragma once

#include <cstdint>

namespace qx {

// The operation a progress window runs.
enum class ModuleOperation : std::uint8_t { Configure = 0, Read = 1, RestoreDefaults = 2 };

}  // namespace qx
