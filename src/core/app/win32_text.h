#pragma once
// Texts at the Win32 boundary: the program keeps every text, paths
// included, in UTF-8; Windows takes and gives UTF-16 in its wide calls.

#include <string>
#include <string_view>

namespace qx {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The system's own words for a Win32 error code, on one line without the
// closing period ("The system cannot find the file specified").
std::string Win32ErrorText(unsigned long error);

}  // namespace qx
