#pragma once
// What differs between two configurations, judged by what a module would
// store: the command lines that write each of them. Two configurations that
// write the same lines are the same to a module, whatever their hidden
// fields hold (a transparent module has no use for a stored destination).

#include <string>
#include <vector>

#include "config/command_builder.h"

namespace qx {

struct SettingDifference {
    std::size_t slot;
    std::string caption;  // what the setting is, for people
    std::string first;    // the value each side writes
    std::string second;
};

// A caption for each command slot, e.g. "Radio Data Rate (ATB)".
std::string SettingCaption(std::size_t slot);

std::vector<SettingDifference> CompareCommandLists(const ConfigCommandList& first, const ConfigCommandList& second);

}  // namespace qx
