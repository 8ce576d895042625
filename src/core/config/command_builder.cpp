#include "config/command_builder.h"

#include "config/field_table.h"

#include <stdexcept>

namespace qx {

namespace {

using F = FieldId;

void AddValue(ConfigCommandList& list, std::size_t slot, long value) {
    AddToConfig(list, slot, std::to_string(value));
}

// Check boxes that the module stores the other way round ("Disable ...").
long Inverted(const WorkingConfig& c, F id) { return c.Checked(id) ? 0 : 1; }
long Straight(const WorkingConfig& c, F id) { return c.Checked(id) ? 1 : 0; }

// The module's flow-control codes for the items "None", "CTS/RTS",
// "RS-485", "XON/XOFF".
long FlowControlCode(int index) {
    switch (index) {
        case 0: return 0;
        case 1: return 3;
        case 2: return 4;
        case 3: return 5;
        default: return index;
    }
}

constexpr std::array<F, 4> kDestinations = {F::Z0_Dest, F::Z1_Dest, F::Z2_Dest, F::Z3_Dest};
constexpr std::array<std::size_t, 4> kDestinationSlots = {36, 33, 34, 35};
constexpr std::size_t kRepeatersPerDestination = 5;

std::string StoredDestinationList(const WorkingConfig& c, std::size_t n) {
    const F destination = kDestinations[n];
    const auto firstRepeater = Index(destination) + 1;  // Zn_Rpt1..Zn_Rpt5 follow Zn_Dest
    std::string text;
    for (std::size_t j = 0; j < kRepeatersPerDestination; ++j) {
        const long repeater = c.Value(static_cast<F>(firstRepeater + j));
        if (repeater == 0) {
            // The repeater path ends here; a disabled destination makes the
            // whole entry empty, whatever repeaters stood before.
            const long dest = c.Value(destination);
            return dest != 0 ? text + std::to_string(dest) : std::string();
        }
        text += std::to_string(repeater) + ",";
    }
    // Five repeaters: the destination follows, even when it is 0.
    return text + std::to_string(c.Value(destination));
}

// A drop-down without a selection (a listing or file gave it a code its
// list does not hold) is written as its default item: "-1" would be refused
// by the module and by a later load of the saved file.
int SelectedOrDefault(const WorkingConfig& c, F id) {
    const int index = c.Choice(id);
    return index < 0 ? Spec(id).defaultValue : index;
}

}  // namespace

ConfigCommandList TemplateCommandList() {
    ConfigCommandList list;
    for (std::size_t i = 0; i < kConfigCommandCount; ++i) list[i] = ConfigCommandTemplate[i];
    return list;
}

void AddToConfig(ConfigCommandList& list, std::size_t slot, std::string_view text) {
    std::string& line = list.at(slot);
    line.append(text);
    if (line.size() > kMaxConfigCommandLength) line.resize(kMaxConfigCommandLength);
}

void SaveCommonSettings(ConfigCommandList& list, const WorkingConfig& c) {
    AddValue(list, 0, c.Value(F::Radio_DataRate));
    AddValue(list, 9, c.Value(F::Radio_Crc));
    AddValue(list, 1, SelectedOrDefault(c, F::Serial_Baud));
    // Bit 0 two stop bits, bit 1 eight data bits, bits 2-3 the parity.
    AddValue(list, 6, c.Value(F::Serial_Stop) + 2 * c.Value(F::Serial_Data) + 4 * c.Value(F::Serial_Parity));
    AddValue(list, 11, FlowControlCode(SelectedOrDefault(c, F::Serial_Flow)));
    AddValue(list, 7, c.Value(F::Serial_DCD));
    AddValue(list, 8, c.Value(F::Serial_DTR));
    AddValue(list, 2, Inverted(c, F::Adv_Echo));
    AddValue(list, 3, Straight(c, F::Adv_Resp));
    AddValue(list, 4, Inverted(c, F::Adv_Numeric));
    AddValue(list, 38, Inverted(c, F::Adv_Abort));
    AddValue(list, 5, c.Value(F::Adv_Response));
    AddValue(list, 15, c.Value(F::sreg_0));
    AddValue(list, 16, c.Value(F::sreg_1) / 20);  // the module counts the guard time in 20 ms
    const F plain[] = {F::sreg_2, F::sreg_3, F::sreg_4, F::sreg_5, F::sreg_6, F::sreg_7, F::sreg_8};
    for (std::size_t i = 0; i < std::size(plain); ++i) AddValue(list, 17 + i, c.Value(plain[i]));
    AddValue(list, 24, c.Value(F::sreg_10) / 10);  // in 10 ms
    AddValue(list, 25, c.Value(F::sreg_11));
    AddValue(list, 26, c.Value(F::sreg_14) / 2 - 10);  // 20..530 bytes as 0..255
    const F upper[] = {F::sreg_16, F::sreg_17, F::sreg_18, F::sreg_19, F::sreg_20, F::sreg_21};
    for (std::size_t i = 0; i < std::size(upper); ++i) AddValue(list, 27 + i, c.Value(upper[i]));
    AddValue(list, 14, c.Value(F::ed_CM_LinkRst));
}

void SaveRepeaterConfig(ConfigCommandList& list, const WorkingConfig& c) {
    for (std::size_t n = 0; n < kDestinations.size(); ++n)
        AddToConfig(list, kDestinationSlots[n], StoredDestinationList(c, n));
}

ConfigCommandList ConstTranspConfig(const WorkingConfig& c) {
    ConfigCommandList list = TemplateCommandList();
    AddValue(list, 12, c.Value(F::ed_TM_SysAdd));
    AddValue(list, 10, c.Value(F::ed_TM_GrpAdd1));
    if (c.Mode() == OperatingMode::Transparent) {
        AddToConfig(list, 13, "1");
        AddToConfig(list, 39, "0");
    } else {
        AddValue(list, 13, c.Value(F::ed_TM_GrpAdd2));
        AddToConfig(list, 39, "1");
    }
    AddValue(list, 37, Straight(c, F::TM_Auto_OnLine));
    // The stored destinations belong to the controlled modes: written empty.
    for (std::size_t s : kDestinationSlots) AddToConfig(list, s, "");
    SaveCommonSettings(list, c);
    return list;
}

ConfigCommandList ConstControlledConfig(const WorkingConfig& c) {
    ConfigCommandList list = TemplateCommandList();
    AddValue(list, 12, c.Value(F::ed_CM_SysAdd));
    AddValue(list, 13, c.Value(F::ed_CM_UnitAdd));
    AddToConfig(list, 39, c.Checked(F::chk_CM_Fast) ? "3" : "2");
    // Group address 1 lives on the transparent page but is written here too.
    AddValue(list, 10, c.Value(F::ed_TM_GrpAdd1));
    SaveRepeaterConfig(list, c);
    switch (c.Mode()) {
        case OperatingMode::AutoConnectMaster: AddToConfig(list, 37, "2"); break;
        case OperatingMode::AutoConnectSlave: AddToConfig(list, 37, "3"); break;
        default: AddToConfig(list, 37, "0"); break;  // Single-Connect
    }
    SaveCommonSettings(list, c);
    return list;
}

ConfigCommandList BuildConfigCommandList(const WorkingConfig& config) {
    if (config.Mode() == OperatingMode::None) throw std::logic_error("no operating mode is selected");
    return IsControlled(config.Mode()) ? ConstControlledConfig(config) : ConstTranspConfig(config);
}

}  // namespace qx
