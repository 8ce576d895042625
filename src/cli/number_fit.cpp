#include "cli/number_fit.h"

#include <algorithm>

#include "config/integer_text.h"

namespace qx::cli {

namespace {

// A sign and digits, however many: none for anything else.
std::optional<int> SignOfDigits(const std::string& text) {
    const std::size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (start == text.size()) return std::nullopt;
    if (!std::all_of(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return text[0] == '-' ? -1 : 1;
}

}  // namespace

NumberFit FitNumber(const std::string& text, int min, int max, int step) {
    const auto sign = SignOfDigits(text);
    if (!sign) return {NumberFit::Kind::NotWhole, min, text};
    const auto number = ParseInteger(text);
    if (!number) {
        // Too long for 32 bits: beyond either end of any range.
        const long end = *sign < 0 ? min : max;
        return {NumberFit::Kind::OutOfRange, end, std::to_string(end)};
    }
    if (*number < min || *number > max) return {NumberFit::Kind::OutOfRange, std::clamp<long>(*number, min, max), text};
    if (step > 1 && *number % step != 0) {
        const long kept = *number / step * step;
        return {NumberFit::Kind::OffStep, kept, std::to_string(kept)};
    }
    return {NumberFit::Kind::Fits, *number, text};
}

std::string MisfitText(const std::string& name, const std::string& given, const NumberFit& fit, int min, int max,
                       int step, std::string_view unit) {
    switch (fit.kind) {
        case NumberFit::Kind::Fits: break;
        case NumberFit::Kind::OutOfRange:
            return name + "=" + given + " is outside " + std::to_string(min) + ".." + std::to_string(max);
        case NumberFit::Kind::OffStep:
            return name + "=" + given + " is not a multiple of " + std::to_string(step) +
                   (unit.empty() ? "" : " " + std::string(unit));
        case NumberFit::Kind::NotWhole: return name + "='" + given + "' is not a whole number";
    }
    return {};
}

}  // namespace qx::cli
