#pragma once
// Where the eight com ports "COM1".."COM8" live on this computer. By default
// COMn is /dev/ttyUSB(n-1) on Linux (COM1 = /dev/ttyUSB0), the name Linux
// gives USB serial adapters, which is how modules are usually connected, and
// the port COMn itself on Windows (see system_port_names.h); each slot can
// be pointed at any other device path (a built-in port /dev/ttyS0, a
// simulator's pseudo-terminal, a port server's rfc2217:// or socket://
// address). A value, not a global: each front end holds
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

// Whether `name` is written as a com name ("COM" and a number), whether or
// not the number is one of the eight slots ("COM9" is, and is no slot).
bool IsComName(std::string_view name);

// "--com N=PATH", which both front ends take: COMN (N from 1 to 8) is at
// PATH, a device path or a port server's address.
struct ComMapping {
    std::uint8_t slot;  // N - 1
    std::string path;
};
// None unless the text is N=PATH with such an N and a path that is not empty.
std::optional<ComMapping> ParseComMapping(std::string_view text);
// The usage error for a text that is none.
std::string BadComMappingText(std::string_view given);
// The usage error for a port given to `option` ("--port", "--com") that
// cannot be one: a network address that is not whole, or a com name that
// is none of the eight slots (and no port the system names itself). Empty
// when the text may be tried.
std::string PortTextProblem(const std::string& port, std::string_view option);

// How a slot's port is named in error texts: by its com name ("COM2"), or
// by the path or address it was given as ("/dev/ttyS0"), when the user
// named the port that way and knows it by that.
enum class SlotNaming { ComName, ByPath };

class PortMap {
public:
    // The device path of COMn (index n-1): the override, else the default.
    std::string PathFor(std::uint8_t portIndex) const;
    static std::string DefaultPath(std::uint8_t portIndex);

    // The name of COMn in error texts (see SlotNaming).
    std::string NameFor(std::uint8_t portIndex) const;

    void Override(std::uint8_t portIndex, std::string path, SlotNaming naming = SlotNaming::ComName);
    void ClearOverride(std::uint8_t portIndex);
    bool IsOverridden(std::uint8_t portIndex) const;

private:
    std::array<std::string, kPortCount> overrides_;
    std::array<SlotNaming, kPortCount> naming_{};
};

}  // namespace qx
