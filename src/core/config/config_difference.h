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
    std::string caption;  // what the setting is, for people: SlotCaption
    std::string first;    // the value each side writes
    std::string second;
};

std::vector<SettingDifference> CompareCommandLists(const ConfigCommandList& first, const ConfigCommandList& second);

}  // namespace qx
