#include "cli/arg_reader.h"

#include "cli/usage_error.h"
#include "config/integer_text.h"

namespace qx::cli {

bool ArgReader::TakeFlag(const std::string& name) {
    if (AtEnd() || Peek() != name) return false;
    ++pos_;
    return true;
}

std::optional<std::string> ArgReader::TakeOption(const std::string& name) {
    if (AtEnd()) return std::nullopt;
    const std::string& arg = Peek();
    if (arg == name) {
        ++pos_;
        if (AtEnd()) throw UsageError(name + " needs a value");
        return Next();
    }
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=') {
        ++pos_;
        return arg.substr(name.size() + 1);
    }
    return std::nullopt;
}

long ParseIntArg(const std::string& text, long min, long max, const std::string& what) {
    const auto v = ParseInteger(text);
    if (!v || *v < min || *v > max)
        throw UsageError(what + " must be a whole number from " + std::to_string(min) + " to " +
                         std::to_string(max) + ", not '" + text + "'");
    return *v;
}

}  // namespace qx::cli
