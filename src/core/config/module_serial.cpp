#include "config/module_serial.h"

#include <algorithm>

#include "config/working_config.h"

namespace qx {

SerialFormat SerialFormatOf(const WorkingConfig& config) {
    return {.parity = config.Field(FieldId::Serial_Parity).choice,
            .data = config.Field(FieldId::Serial_Data).choice,
            .stop = config.Field(FieldId::Serial_Stop).choice};
}

int SerialFormatCode(const SerialFormat& format) { return format.stop + 2 * format.data + 4 * format.parity; }

SerialFormat SerialFormatFromCode(long code) {
    const int bits = static_cast<int>(code & 0xF);
    return {.parity = (bits >> 2) & 3, .data = (bits >> 1) & 1, .stop = bits & 1};
}

std::optional<SerialFormat> ParseSerialFormat(std::string_view text) {
    return ParseSerialFormatText(text, kSerialParityLetters);
}

std::optional<std::string> SerialFormatLabel(const SerialFormat& format) {
    return SerialFormatText(format, kSerialParityLetters);
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
