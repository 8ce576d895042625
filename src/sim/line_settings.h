#pragma once
// The module's serial line: the rate and character format that its "ATC" and
// "AT&B" settings select, and how they compare with what a host has set on
// the pseudo-terminal.

#include <optional>
#include <string>

namespace qx::sim {

enum class Parity { None, Zero, Odd, Even };

struct LineSettings {
    unsigned rate = 9600;
    bool eightDataBits = true;
    bool twoStopBits = false;
    Parity parity = Parity::None;

    bool operator==(const LineSettings&) const = default;
};

// What a pseudo-terminal keeps of a host's termios: the rate, the stop bits
// and the odd-parity flag. Data bits and parity-enable do not survive, so
// they are not part of the comparison.
struct HostLine {
    unsigned rate = 0;
    bool twoStopBits = false;
    bool oddParity = false;
};

// Rate of an "ATC" code 0..13; empty for any other code.
std::optional<unsigned> RateOfCode(int code);
// The "ATC" code that selects a rate (115200 gives 12); empty when none does.
std::optional<int> CodeOfRate(unsigned rate);

// The line that "ATC" code `rateCode` and "AT&B" code `formatCode` select:
// bit 0 two stop bits, bit 1 eight data bits, bits 2-3 parity None, Zero,
// Odd, Even.
LineSettings LineOf(int rateCode, int formatCode);
int FormatCode(const LineSettings& line);

// "N-8-1", "E-7-2"... ("Z" for zero parity).
std::string FormatText(const LineSettings& line);
// Parses the texts above; empty when malformed.
std::optional<LineSettings> ParseFormat(const std::string& text, unsigned rate);

// Whether input sent by a host at `host` would reach a module at `module`.
bool HostMatches(const HostLine& host, const LineSettings& module);

}  // namespace qx::sim
