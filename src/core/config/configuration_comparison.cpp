#include "config/configuration_comparison.h"

namespace qx {

std::vector<SettingDifference> CompareConfigurations(const WorkingConfig& first, const WorkingConfig& second) {
    return CompareCommandLists(BuildConfigCommandList(first), BuildConfigCommandList(second));
}

}  // namespace qx
