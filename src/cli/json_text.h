#pragma once
// Text as a JSON string literal. Texts are 8-bit (a module's status line
// may carry any byte): quotes, backslashes, control characters and bytes
// from 0x80 are escaped, the latter as \u0080..\u00FF, which qxcfg's own
// reader takes back as the same bytes.
//
// JsonLine builds the one-line objects the module commands print with
// --json, member by member:
//   JsonLine().Text("port", "/dev/ttyUSB0").Number("exit", 0).Str()
//     -> {"port": "/dev/ttyUSB0", "exit": 0}

#include <string>
#include <string_view>
#include <vector>

namespace qx::cli {

std::string JsonString(std::string_view text);

// [a, b, ...] of values already written as JSON.
std::string JsonArray(const std::vector<std::string>& values);

class JsonLine {
public:
    JsonLine& Text(std::string_view key, std::string_view value) { return Raw(key, JsonString(value)); }
    JsonLine& Number(std::string_view key, long long value) { return Raw(key, std::to_string(value)); }
    JsonLine& Flag(std::string_view key, bool value) { return Raw(key, value ? "true" : "false"); }
    // A value already written as JSON (an object, an array).
    JsonLine& Raw(std::string_view key, std::string_view json);
    // Every member of `more`, after these.
    JsonLine& Members(const JsonLine& more);
    std::string Str() const { return "{" + members_ + "}"; }

private:
    std::string members_;
};

}  // namespace qx::cli
