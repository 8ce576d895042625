#pragma once
// The module's own serial port as the configuration describes it, and
// what this computer can make of it: the rate list (by ATC code), the
// character format code (AT&B), the flow-control codes (AT&K), and which
// of the module's rates and parities this computer's port can follow.

#include <array>
#include <optional>
#include <string_view>

namespace qx {

// The module's serial rates in bit/s, by ATC code (the Serial_Baud items:
// code 0 is 115200 as well as code 12).
inline constexpr std::array<int, 14> kModuleSerialRates = {115200, 1200,  2400,  4800,  9600,  14400,  19200,
                                                           28800,  31250, 38400, 57600, 76800, 115200, 93750};

// Rates this computer's serial port cannot run at.
bool HostCanUseRate(int bitsPerSecond);

// Whether this computer can follow the module to its rate code (ATC n):
// not to 31250, 76800 or 93750. A code outside the list is no rate this
// computer is asked to follow.
bool HostCanUseModuleRate(int serialBaudIndex);

// The character format as the module stores it (AT&B): bit 0 two stop
// bits, bit 1 eight data bits, bits 2-3 the parity (None, Zero, Odd, Even).
struct SerialFormatItems {
    int stop;    // Serial_Stop index: 1, 2 stop bits
    int data;    // Serial_Data index: 7, 8 data bits
    int parity;  // Serial_Parity index: None, Zero, Odd, Even
};
int SerialFormatCode(const SerialFormatItems& items);
// The low four bits of a code, taken apart.
SerialFormatItems SerialFormatFromCode(long code);

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
