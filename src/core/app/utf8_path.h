#pragma once
// Paths are UTF-8 text everywhere in the program. A std::filesystem::path
// made from a plain string takes the string in the system's narrow code
// page, which on Windows is not UTF-8: paths go through here instead.

#include <filesystem>
#include <string>

namespace qx {

inline std::filesystem::path PathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace qx
