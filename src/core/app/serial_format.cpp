#include "app/serial_format.h"

#include <cctype>

namespace qx {

std::optional<SerialFormat> ParseSerialFormatText(std::string_view text, std::string_view parityLetters) {
    if (text.size() != 5 || text[1] != '-' || text[3] != '-') return std::nullopt;
    const auto parity = parityLetters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
    if (parity == std::string_view::npos || (text[2] != '7' && text[2] != '8') || (text[4] != '1' && text[4] != '2'))
        return std::nullopt;
    return SerialFormat{.parity = static_cast<int>(parity), .data = text[2] - '7', .stop = text[4] - '1'};
}

std::optional<std::string> SerialFormatText(const SerialFormat& format, std::string_view parityLetters) {
    if (format.parity < 0 || format.parity >= static_cast<int>(parityLetters.size()) || format.data < 0 ||
        format.data > 1 || format.stop < 0 || format.stop > 1)
        return std::nullopt;
    return std::string{parityLetters[static_cast<std::size_t>(format.parity)], '-',
                       static_cast<char>('7' + format.data), '-', static_cast<char>('1' + format.stop)};
}

}  // namespace qx
