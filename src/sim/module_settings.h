#pragma once
// Everything the module remembers: the letter settings ("ATB", "AT&K",
// "AT\T"...), the S-registers S0..S21 and the four stored destination lists
// "&Z0".."&Z3". The module keeps two copies, the active one and the stored
// one ("AT&W" copies active to stored, "ATZ" stored to active).

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace qx::sim {

struct ModelInfo {
    std::string name = "QX7T-R";  // or "QX5T"
    std::string firmware = "1.95";

    bool IsMain() const { return name == "QX7T-R"; }
    // Firmware up to 1.89 keeps S21 fixed at 0; the basic model has no S21.
    bool S21Adjustable() const;
};

struct LetterSetting {
    std::string_view key;  // as written after "AT": "B", "&K", "\T"
    int min;
    int max;
    int factory;
};

struct SRegisterSpec {
    int min;
    int max;
    int factory;
    bool writable;
};

inline constexpr int kSRegisterCount = 22;
inline constexpr int kProfileCount = 4;

// The letter settings in the order of the configuration listing.
std::span<const LetterSetting> LetterSettings();
SRegisterSpec SRegister(int number, const ModelInfo& model);

class ModuleSettings {
public:
    static ModuleSettings Factory(const ModelInfo& model);

    // The value of a letter setting; the key must be one of LetterSettings().
    int Letter(std::string_view key) const;
    // False when the key is unknown, the value out of range, or the model
    // does not offer it (fast controlled mode "&M3" on the basic model).
    bool SetLetter(std::string_view key, int value, const ModelInfo& model);

    int SReg(int number) const { return sregs_.at(static_cast<std::size_t>(number)); }
    // False for an unknown or read-only register or a value out of range. S21
    // is taken but stays 0 where the model cannot adjust it.
    bool SetSReg(int number, int value, const ModelInfo& model);

    // "3,4,7", or empty for a disabled entry.
    const std::string& Profile(int number) const { return profiles_.at(static_cast<std::size_t>(number)); }
    // At most six comma-separated numbers 0..255 (repeaters then the
    // destination), or nothing. False for anything else.
    bool SetProfile(int number, std::string_view list);

    bool operator==(const ModuleSettings&) const = default;

private:
    std::array<int, 18> letters_{};
    std::array<int, kSRegisterCount> sregs_{};
    std::array<std::string, kProfileCount> profiles_{};
};

}  // namespace qx::sim
