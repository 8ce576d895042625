#pragma once
// A strict reader for the one JSON shape qxcfg takes as input: a single
// object whose values are numbers or strings,
//   {"sreg_14": 200, "OperatingMode": 3, "ed_TM_SysAdd": "17"}
// Members keep the object's order. Nested objects, arrays, true, false,
// null, a key given twice and anything after the object are refused with a
// JsonError that names the key (or the place of a syntax error). A UTF-8
// byte-order mark before the object is skipped.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qx::cli {

class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct JsonMember {
    enum class Kind { Number, String };
    std::string key;
    Kind kind = Kind::Number;
    std::string text;  // a number as written, or the string's decoded value
};

std::vector<JsonMember> ParseJsonObject(std::string_view text);

}  // namespace qx::cli
