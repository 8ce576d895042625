#pragma once
// A serial character format: parity, data bits and stop bits. The module's
// format (its Serial_Parity, Serial_Data and Serial_Stop items) and this
// computer's (HostSerialSettings) are both this record; they differ only in
// their parities, which each names by its own letters: the module has
// "NZOE" (None, Zero, Odd, Even), this computer "NOE".
//
// Written as text "P-D-S": a parity letter, the data bits (7 or 8) and the
// stop bits (1 or 2), such as "N-8-1" or "E-7-1"; case does not matter.
// Records are written with their member names ({.parity = 2, .data = 0,
// .stop = 0}), never by position.

#include <optional>
#include <string>
#include <string_view>

namespace qx {

struct SerialFormat {
    int parity;  // the position of the parity in its letters
    int data;    // 0: 7 data bits, 1: 8
    int stop;    // 0: one stop bit, 1: two

    bool operator==(const SerialFormat&) const = default;
};

std::optional<SerialFormat> ParseSerialFormatText(std::string_view text, std::string_view parityLetters);

// The text of a format; none when a part is outside its letters or values.
std::optional<std::string> SerialFormatText(const SerialFormat& format, std::string_view parityLetters);

}  // namespace qx
