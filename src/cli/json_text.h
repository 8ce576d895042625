#pragma once
// Text as a JSON string literal. Texts are 8-bit (a module's status line
// may carry any byte): quotes, backslashes, control characters and bytes
// from 0x80 are escaped, the latter as \u0080..\u00FF, which qxcfg's own
// reader takes back as the same bytes.

#include <string>
#include <string_view>

namespace qx::cli {

std::string JsonString(std::string_view text);

}  // namespace qx::cli
