#pragma once
// The module's serial rates, one row each: the code the module stores
// ("ATC n", the item of the module's rate list), the rate, its text, the
// label qxcfg gives it, where it stands in this computer's rate list,
// whether the configuration's rules let this computer follow the module to
// it, and when the module finder tries it. Every list of rates in the program is read from here: the module's
// rate list and its labels, this computer's rate list (status bar, dialog,
// menus, --baud), the rules on a rate that cannot be followed, the module
// finder's rates, and the rate a module answers at after a write.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace qx {

struct ModuleRate {
    int code;                  // ATC n: the module's rate code, the item of its rate list
    int bitsPerSecond;
    std::string_view text;     // the item's text; the code 0 and 12 items both read "115200"
    std::string_view label;    // qxcfg's label, told apart where a text stands twice
    int hostIndex;             // this computer's rate list (HostSerialSettings::BaudIndex); -1: not in it
    // The configuration's rules let this computer follow the module to the
    // rate: picking it warns of nothing, and Configure moves this
    // computer's port along before it sends the rest. For 31250, 76800 and
    // 93750 the rules take the PC's port to be unable to run at the rate:
    // picking one warns that it cannot, Configure sends the change only
    // with the final store, and the status bar's menu shows it disabled.
    bool hostFollows;
    // The module finder tries this computer's rates from the most used (1)
    // to the least; 0 for a rate not in that list.
    int findRank;
};

// clang-format off
inline constexpr ModuleRate kModuleRates[] = {
//   code  bit/s   text      label       host  follows  find
    {0,  115200, "115200", "115200",     11,   true,    5},
    {1,  1200,   "1200",   "1200",       0,    true,    8},
    {2,  2400,   "2400",   "2400",       1,    true,    7},
    {3,  4800,   "4800",   "4800",       2,    true,    6},
    {4,  9600,   "9600",   "9600",       3,    true,    1},
    {5,  14400,  "14400",  "14400",      4,    true,    9},
    {6,  19200,  "19200",  "19200",      5,    true,    2},
    {7,  28800,  "28800",  "28800",      6,    true,    10},
    {8,  31250,  "31250",  "31250",      7,    false,   11},
    {9,  38400,  "38400",  "38400",      8,    true,    3},
    {10, 57600,  "57600",  "57600",      9,    true,    4},
    {11, 76800,  "76800",  "76800",      10,   false,   12},
    {12, 115200, "115200", "115200-c12", 11,   true,    5},
    {13, 93750,  "93750",  "93750",      -1,   false,   0},
};
// clang-format on

inline constexpr std::size_t kModuleRateCount = std::size(kModuleRates);

// The row of a rate code; none for a code the module does not know.
constexpr const ModuleRate* ModuleRateOf(int code) {
    return code >= 0 && code < static_cast<int>(kModuleRateCount) ? &kModuleRates[code] : nullptr;
}

// Whether the configuration's rules let this computer follow the module to
// the rate code (see ModuleRate::hostFollows). A code the module does not
// know is no rate anyone follows it to, and warns of nothing.
constexpr bool HostFollowsModuleRate(int code) {
    const ModuleRate* rate = ModuleRateOf(code);
    return !rate || rate->hostFollows;
}

// This computer's rate list, by BaudIndex: 1200 .. 115200.
inline constexpr std::size_t kHostRateCount = [] {
    int count = 0;
    for (const ModuleRate& rate : kModuleRates) count = rate.hostIndex + 1 > count ? rate.hostIndex + 1 : count;
    return static_cast<std::size_t>(count);
}();
// (The first row of a rate that stands twice, 115200.)
inline constexpr std::array<ModuleRate, kHostRateCount> kHostRates = [] {
    std::array<ModuleRate, kHostRateCount> rates{};
    std::array<bool, kHostRateCount> taken{};
    for (const ModuleRate& rate : kModuleRates) {
        const auto at = static_cast<std::size_t>(rate.hostIndex);
        if (rate.hostIndex < 0 || taken.at(at)) continue;
        rates[at] = rate;
        taken[at] = true;
    }
    return rates;
}();

// The bit/s of this computer's rate index; none outside its list.
constexpr std::optional<int> HostRateBitsPerSecond(std::size_t baudIndex) {
    if (baudIndex >= kHostRateCount) return std::nullopt;
    return kHostRates[baudIndex].bitsPerSecond;
}

// This computer's rate indexes in the order the module finder tries them.
inline constexpr std::array<std::uint8_t, kHostRateCount> kHostRatesToTry = [] {
    std::array<std::uint8_t, kHostRateCount> order{};
    for (std::size_t i = 0; i < kHostRateCount; ++i) order[i] = static_cast<std::uint8_t>(i);
    for (std::size_t i = 1; i < kHostRateCount; ++i)  // by rank; few enough for an insertion sort
        for (std::size_t j = i; j > 0 && kHostRates[order[j]].findRank < kHostRates[order[j - 1]].findRank; --j)
            std::swap(order[j], order[j - 1]);
    return order;
}();

namespace module_rate_checks {
constexpr bool RowsInCodeOrder() {
    for (std::size_t i = 0; i < kModuleRateCount; ++i)
        if (kModuleRates[i].code != static_cast<int>(i)) return false;
    return true;
}
// Every place in this computer's list is taken, and a rate that stands
// there twice (115200) is the same rate.
constexpr bool HostListWhole() {
    for (std::size_t i = 0; i < kHostRateCount; ++i)
        if (kHostRates[i].hostIndex != static_cast<int>(i)) return false;
    for (const ModuleRate& rate : kModuleRates)
        if (rate.hostIndex >= 0 &&
            kHostRates[static_cast<std::size_t>(rate.hostIndex)].bitsPerSecond != rate.bitsPerSecond)
            return false;
    return true;
}
// Every rate of this computer's list is tried, each at its own turn.
constexpr bool FinderTriesEachOnce() {
    for (std::size_t i = 0; i < kHostRateCount; ++i) {
        if (kHostRates[i].findRank < 1) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (kHostRates[i].findRank == kHostRates[j].findRank) return false;
    }
    return true;
}
static_assert(RowsInCodeOrder() && HostListWhole() && FinderTriesEachOnce());
}  // namespace module_rate_checks

}  // namespace qx
