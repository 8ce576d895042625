#include "config/module_serial.h"

#include <algorithm>

namespace qx {

bool HostCanUseRate(int bitsPerSecond) {
    return bitsPerSecond != 31250 && bitsPerSecond != 76800 && bitsPerSecond != 93750;
}

bool HostCanUseModuleRate(int serialBaudIndex) {
    if (serialBaudIndex < 0 || serialBaudIndex >= static_cast<int>(kModuleSerialRates.size())) return true;
    return HostCanUseRate(kModuleSerialRates[static_cast<std::size_t>(serialBaudIndex)]);
}

int SerialFormatCode(const SerialFormatItems& items) { return items.stop + 2 * items.data + 4 * items.parity; }

SerialFormatItems SerialFormatFromCode(long code) {
    const int bits = static_cast<int>(code & 0xF);
    return {bits & 1, (bits >> 1) & 1, (bits >> 2) & 3};
}

int HostParity(int serialParityIndex) { return serialParityIndex == 2 ? 1 : serialParityIndex == 3 ? 2 : 0; }

long FlowControlCode(int index) {
    if (index < 0 || index >= static_cast<int>(kFlowControlCodes.size())) return index;
    return kFlowControlCodes[static_cast<std::size_t>(index)];
}

std::optional<int> FlowControlItem(long code) {
    const auto at = std::find(kFlowControlCodes.begin(), kFlowControlCodes.end(), code);
    if (at == kFlowControlCodes.end()) return std::nullopt;
    return static_cast<int>(at - kFlowControlCodes.begin());
}

}  // namespace qx
