#pragma once
// This computer's serial settings following the module's own, as the
// configuration describes them: after a file is loaded, and when Configure
// changes the module's rate or format.

#include <cstdint>
#include <optional>

#include "config/working_config.h"
#include "serial/host_serial_settings.h"

namespace qx {

// The host settings take the module serial settings of the working
// configuration: rate (unless "93750"), data bits, stop bits, and parity
// ("None" and "Zero" both give none).
void UpdateSerialParams(HostSerialSettings& s, const WorkingConfig& config);

}  // namespace qx
