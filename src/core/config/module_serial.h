#pragma once
// The module's own serial port as the configuration describes it: its
// character format (the Serial_Parity, Serial_Data and Serial_Stop items,
// stored as one AT&B code), the parity this computer uses for it, and the
// flow-control codes (AT&K). The module's rates are a table of their own
// (app/module_rates.h).

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "app/serial_format.h"

namespace qx {

class WorkingConfig;

// The module's character format is a SerialFormat of its three lists'
// items: parity None, Zero, Odd, Even; data bits 7, 8; stop bits 1, 2.
inline constexpr std::string_view kSerialParityLetters = "NZOE";

// The format the configuration holds (an item may be -1: no selection).
SerialFormat SerialFormatOf(const WorkingConfig& config);

// The format as the module stores it (AT&B): bit 0 two stop bits, bit 1
// eight data bits, bits 2-3 the parity.
int SerialFormatCode(const SerialFormat& format);
// The low four bits of a code, taken apart.
SerialFormat SerialFormatFromCode(long code);

// "serial.format": the three items written like "N-8-1" (parity N, Z, O or
// E, Z being the "Zero" parity; case does not matter), both ways. None for
// a text of another form, or for items that are no items.
inline constexpr std::string_view kSerialFormatKey = "serial.format";
std::optional<SerialFormat> ParseSerialFormat(std::string_view text);
std::optional<std::string> SerialFormatLabel(const SerialFormat& format);

// The parity this computer's port uses for the module's: None and Zero
// both send no parity bit (0); Odd is 1, Even 2.
int HostParity(int serialParityIndex);

// The module's flow-control codes (AT&K) of the items "None", "CTS/RTS",
// "RS-485", "XON/XOFF".
inline constexpr std::array<int, 4> kFlowControlCodes = {0, 3, 4, 5};
inline constexpr int kXonXoffItem = 3;

// The code of an item; an index outside the items is written as it is.
long FlowControlCode(int index);
// The item of a code; none for a code the items do not hold.
std::optional<int> FlowControlItem(long code);

}  // namespace qx
