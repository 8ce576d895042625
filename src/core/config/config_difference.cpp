#include "config/config_difference.h"

namespace qx {

namespace {

constexpr std::array<std::string_view, kConfigCommandCount> kSettingNames = {
    "Radio Data Rate",
    "Serial Baud Rate",
    "Local Echo",
    "Response Codes",
    "Verbose Response Codes",
    "Response Code Set",
    "Serial Data Format",
    "DCD Control",
    "DTR Control",
    "CRC Error Checking",
    "Group Address 1",
    "Flow Control",
    "System Address",
    "Unit Address / Group Address 2",
    "Inactivity Timeout (sec)",
    "S0 Connection Attempts Before Answer",
    "S1 Escape Guard Time (20 ms units)",
    "S2 Escape Character",
    "S3 Carriage Return Character",
    "S4 Line Feed Character",
    "S5 Back Space Character",
    "S6 Link Check Time (sec)",
    "S7 Connection Attempts",
    "S8 Test Timer (sec)",
    "S10 DTR Loss Detection Time (10 ms units)",
    "S11 Disconnect Delay (sec)",
    "S14 Packet Size (2-byte units less 10)",
    "S16 Tx Hold-Off (millisec)",
    "S17 Rx Hold-Off (millisec)",
    "S18 Serial Rx Buffer Threshold",
    "S19 Serial Rx Buffer Timeout (millisec)",
    "S20 Default System Address",
    "S21 Radio Message Signature",
    "2nd Stored Destination",
    "3rd Stored Destination",
    "4th Stored Destination",
    "1st Stored Destination",
    "Operating Mode / Go On-Line",
    "Abort Connection Mode",
    "Operating Mode",
};

std::string ValueOf(const std::string& line, std::size_t slot) {
    const auto prefix = ConfigCommandTemplate[slot];
    return line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
}

}  // namespace

std::string SettingCaption(std::size_t slot) {
    if (slot >= kConfigCommandCount) return {};
    return std::string(kSettingNames[slot]) + " (" + std::string(ConfigCommandTemplate[slot]) + ")";
}

std::vector<SettingDifference> CompareCommandLists(const ConfigCommandList& first, const ConfigCommandList& second) {
    std::vector<SettingDifference> differences;
    for (std::size_t i = 0; i < kConfigCommandCount; ++i) {
        if (first[i] == second[i]) continue;
        differences.push_back({i, SettingCaption(i), ValueOf(first[i], i), ValueOf(second[i], i)});
    }
    return differences;
}

}  // namespace qx
