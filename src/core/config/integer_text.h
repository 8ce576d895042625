#pragma once
// Decimal integer texts as fields and listings carry them: an optional sign
// and at least one digit, leading zeros allowed, within 32 bits. Anything
// else is not an integer.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qx {

std::optional<long> ParseInteger(std::string_view text);

// A value text that should have been an integer and was not. The message
// is "'<text>' is not a valid integer value".
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(std::string_view text);
};

// ParseInteger, or EConvertError.
long StrToInt(std::string_view text);

}  // namespace qx
