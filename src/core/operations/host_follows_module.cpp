#include "operations/host_follows_module.h"

#include "config/module_serial.h"

namespace qx {

void UpdateSerialParams(HostSerialSettings& s, const WorkingConfig& config) {
    s.Parity = static_cast<std::uint8_t>(HostParity(config.Field(FieldId::Serial_Parity).choice));
    if (auto baud = HostRateIndexFor(config.Field(FieldId::Serial_Baud).choice)) s.BaudIndex = *baud;
    const int data = config.Field(FieldId::Serial_Data).choice;
    const int stop = config.Field(FieldId::Serial_Stop).choice;
    // A list without a selection (only a damaged readout leaves one) keeps
    // the host's own value.
    if (data == 0 || data == 1) s.DataBits = static_cast<std::uint8_t>(data);
    if (stop == 0 || stop == 1) s.StopBits = static_cast<std::uint8_t>(stop);
}

}  // namespace qx
