#include "sim/line_settings.h"

#include <array>

namespace qx::sim {
namespace {

constexpr std::array<unsigned, 14> kRates = {115200, 1200,  2400,  4800,  9600,  14400,  19200,
                                             28800,  31250, 38400, 57600, 76800, 115200, 93750};

}  // namespace

std::optional<unsigned> RateOfCode(int code) {
    if (code < 0 || code >= static_cast<int>(kRates.size())) return std::nullopt;
    return kRates[static_cast<std::size_t>(code)];
}

std::optional<int> CodeOfRate(unsigned rate) {
    if (rate == 115200) return 12;
    for (std::size_t i = 1; i < kRates.size(); ++i) {
        if (kRates[i] == rate) return static_cast<int>(i);
    }
    return std::nullopt;
}

LineSettings LineOf(int rateCode, int formatCode) {
    LineSettings line;
    line.rate = RateOfCode(rateCode).value_or(9600);
    line.twoStopBits = (formatCode & 1) != 0;
    line.eightDataBits = (formatCode & 2) != 0;
    line.parity = static_cast<Parity>((formatCode >> 2) & 3);
    return line;
}

int FormatCode(const LineSettings& line) {
    return (line.twoStopBits ? 1 : 0) + (line.eightDataBits ? 2 : 0) + 4 * static_cast<int>(line.parity);
}

std::string FormatText(const LineSettings& line) {
    static constexpr std::array<char, 4> kParity = {'N', 'Z', 'O', 'E'};
    std::string text;
    text += kParity[static_cast<std::size_t>(line.parity)];
    text += line.eightDataBits ? "-8-" : "-7-";
    text += line.twoStopBits ? '2' : '1';
    return text;
}

std::optional<LineSettings> ParseFormat(const std::string& text, unsigned rate) {
    if (text.size() != 5 || text[1] != '-' || text[3] != '-') return std::nullopt;
    LineSettings line;
    line.rate = rate;
    switch (text[0]) {
    case 'N': line.parity = Parity::None; break;
    case 'Z': line.parity = Parity::Zero; break;
    case 'O': line.parity = Parity::Odd; break;
    case 'E': line.parity = Parity::Even; break;
    default: return std::nullopt;
    }
    if (text[2] != '7' && text[2] != '8') return std::nullopt;
    if (text[4] != '1' && text[4] != '2') return std::nullopt;
    line.eightDataBits = text[2] == '8';
    line.twoStopBits = text[4] == '2';
    return line;
}

bool HostMatches(const HostLine& host, const LineSettings& module) {
    return host.rate == module.rate && host.twoStopBits == module.twoStopBits &&
           host.oddParity == (module.parity == Parity::Odd);
}

}  // namespace qx::sim
