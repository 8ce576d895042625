#include "sim/module_settings.h"

#include "sim/number_text.h"

#include <algorithm>
#include <cstdlib>

namespace qx::sim {
namespace {

// Ranges follow what the module accepts, factory values what "AT&F" restores
// (9600 bit/s N-8-1, echo on, verbose results, go on-line at start-up).
constexpr std::array<LetterSetting, 18> kLetters = {{
    {"B", 0, 2, 0},        // radio data rate
    {"C", 0, 13, 4},       // serial rate code
    {"E", 0, 1, 1},        // command echo
    {"Q", 0, 1, 0},        // quiet: no result codes
    {"V", 0, 1, 1},        // verbose result codes
    {"X", 0, 3, 0},        // result code set
    {"&B", 0, 15, 2},      // serial character format
    {"&C", 0, 2, 1},       // DCD
    {"&D", 0, 3, 0},       // DTR
    {"&E", 0, 1, 0},       // radio CRC
    {"&G", 0, 255, 1},     // group address
    {"&K", 0, 5, 4},       // flow control
    {"&L", 0, 3, 1},       // start-up / link mode
    {"&M", 0, 3, 0},       // operating mode
    {"&N", 0, 1, 1},       // abort connection mode
    {"&S", 0, 255, 1},     // system address
    {"&U", 0, 255, 1},     // unit address / group address 2
    {"\\T", 0, 255, 0},    // inactivity timeout
}};

std::size_t LetterIndex(std::string_view key) {
    const auto it = std::find_if(kLetters.begin(), kLetters.end(), [&](const LetterSetting& s) { return s.key == key; });
    return static_cast<std::size_t>(it - kLetters.begin());
}

}  // namespace

bool ModelInfo::S21Adjustable() const {
    return IsMain() && std::strtod(firmware.c_str(), nullptr) > 1.89;
}

std::span<const LetterSetting> LetterSettings() { return kLetters; }

SRegisterSpec SRegister(int number, const ModelInfo& model) {
    switch (number) {
    case 1: return {3, 255, 50, true};     // escape guard time, 20 ms units
    case 2: return {1, 255, 43, true};     // escape character
    case 3: return {0, 127, 13, true};     // carriage return
    case 4: return {0, 127, 10, true};     // line feed
    case 5: return {0, 127, 8, true};      // back space
    case 7: return {1, 255, 5, true};      // connection attempts
    case 0: return {0, 255, 1, true};
    case 9: return {0, 255, 71, false};    // receive level, -dBm
    case 10: return {0, 255, 1, true};     // DTR loss time, 10 ms units
    case 12: case 13: case 15: return {0, 255, 0, false};
    case 14: return {0, 255, 255, true};   // packet size code
    case 18: return {0, 255, model.IsMain() ? 120 : 129, true};
    case 19: return {0, 255, 5, true};
    case 20: return {0, 255, 100, true};
    case 21: return {0, 3, model.S21Adjustable() ? 1 : 0, true};
    default: return {0, 255, 0, true};
    }
}

ModuleSettings ModuleSettings::Factory(const ModelInfo& model) {
    ModuleSettings settings;
    for (std::size_t i = 0; i < kLetters.size(); ++i) settings.letters_[i] = kLetters[i].factory;
    for (int n = 0; n < kSRegisterCount; ++n) settings.sregs_[static_cast<std::size_t>(n)] = SRegister(n, model).factory;
    return settings;
}

int ModuleSettings::Letter(std::string_view key) const { return letters_.at(LetterIndex(key)); }

bool ModuleSettings::SetLetter(std::string_view key, int value, const ModelInfo& model) {
    const std::size_t index = LetterIndex(key);
    if (index >= kLetters.size()) return false;
    if (value < kLetters[index].min || value > kLetters[index].max) return false;
    if (key == "&M" && value == 3 && !model.IsMain()) return false;
    letters_[index] = value;
    return true;
}

bool ModuleSettings::SetSReg(int number, int value, const ModelInfo& model) {
    if (number < 0 || number >= kSRegisterCount) return false;
    const SRegisterSpec entry = SRegister(number, model);
    if (!entry.writable || value < entry.min || value > entry.max) return false;
    if (number == 21 && !model.S21Adjustable()) value = 0;
    sregs_[static_cast<std::size_t>(number)] = value;
    return true;
}

bool ModuleSettings::SetProfile(int number, std::string_view list) {
    if (number < 0 || number >= kProfileCount) return false;
    std::string normal;
    if (!list.empty()) {
        int count = 0;
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = list.find(',', start);
            const std::string_view element = list.substr(start, comma == std::string_view::npos ? list.npos : comma - start);
            const auto value = ParseDecimal(element);
            if (!value || *value > 255 || ++count > 6) return false;
            if (!normal.empty()) normal += ',';
            normal += std::to_string(*value);
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
    }
    profiles_[static_cast<std::size_t>(number)] = normal;
    return true;
}

}  // namespace qx::sim
