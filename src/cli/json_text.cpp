#include "cli/json_text.h"

#include <cstdio>

namespace qx::cli {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

}  // namespace qx::cli

namespace qx::cli {

std::string JsonArray(const std::vector<std::string>& values) {
    std::string text = "[";
    for (const std::string& value : values) text += (text.size() > 1 ? ", " : "") + value;
    return text + "]";
}

JsonLine& JsonLine::Raw(std::string_view key, std::string_view json) {
    members_ += (members_.empty() ? "" : ", ") + JsonString(key) + ": ";
    members_ += json;
    return *this;
}

JsonLine& JsonLine::Members(const JsonLine& more) {
    if (!more.members_.empty()) members_ += (members_.empty() ? "" : ", ") + more.members_;
    return *this;
}

}  // namespace qx::cli
