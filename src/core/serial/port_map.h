#pragma once
// Where the eight com ports "COM1".."COM8" live on this computer. By default
// COMn is /dev/ttyUSB(n-1) (COM1 = /dev/ttyUSB0), the name Linux gives USB
// serial adapters, which is how modules are usually connected; each slot can
// be pointed at any other device path (a built-in port /dev/ttyS0, a
// simulator's pseudo-terminal). A value, not a global: each front end holds
// its own map and hands it to the channels it opens.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

inline constexpr int kPortCount = 8;

// "COM1" for index 0 .. "COM8" for index 7: the name used in error texts.
std::string PortName(std::uint8_t portIndex);

// "COM3" or "com3" -> 2; anything else -> none.
std::optional<std::uint8_t> PortIndexFromName(std::string_view name);

class PortMap {
public:
    // The device path of COMn (index n-1): the override, else the default.
    std::string PathFor(std::uint8_t portIndex) const;
    static std::string DefaultPath(std::uint8_t portIndex);

    void Override(std::uint8_t portIndex, std::string path);
    void ClearOverride(std::uint8_t portIndex);
    bool IsOverridden(std::uint8_t portIndex) const;

private:
    std::array<std::string, kPortCount> overrides_;
};

}  // namespace qx
