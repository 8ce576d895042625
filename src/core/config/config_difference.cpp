#include "config/config_difference.h"

namespace qx {

namespace {

std::string ValueOf(const std::string& line, std::size_t slot) {
    const auto prefix = Slot(slot).command;
    return line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
}

}  // namespace

std::vector<SettingDifference> CompareCommandLists(const ConfigCommandList& first, const ConfigCommandList& second) {
    std::vector<SettingDifference> differences;
    for (std::size_t i = 0; i < kConfigCommandCount; ++i) {
        if (first[i] == second[i]) continue;
        differences.push_back({i, SlotCaption(i), ValueOf(first[i], i), ValueOf(second[i], i)});
    }
    return differences;
}

}  // namespace qx
