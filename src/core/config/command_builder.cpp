#include "config/command_builder.h"

#include <stdexcept>

#include "config/module_serial.h"

namespace qx {

namespace {

using F = FieldId;

// A choice without a selection (a listing or file gave it a code its list
// does not hold) is written as its default item: "-1" would be refused by
// the module and by a later load of the saved file.
long SelectedOrDefault(const WorkingConfig& c, F id) {
    const int index = c.Field(id).choice;
    return index < 0 ? Spec(id).defaultValue : index;
}

long FlagValue(const WorkingConfig& c, F id) { return c.Checked(id) ? 1 : 0; }

// The repeaters up to the first 0, each followed by ",", then the
// destination; empty when a 0 repeater meets a 0 destination.
std::string StoredDestinationList(const WorkingConfig& c, F destination) {
    std::string text;
    for (std::size_t j = 1; j <= kRepeatersPerDestination; ++j) {
        const long repeater = c.Value(static_cast<F>(Index(destination) + j));
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

long ModeValue(const CommandSlot& slot, const WorkingConfig& c) {
    const OperatingMode mode = c.Mode();
    switch (slot.rule) {
        case ValueRule::SystemAddress: return c.Value(slot.fields[IsControlled(mode) ? 1 : 0]);
        case ValueRule::UnitAddress:
            // A repeater's unit address is its group address 2.
            if (mode == OperatingMode::Transparent) return 1;
            return c.Value(slot.fields[mode == OperatingMode::TransparentRepeater ? 1 : 0]);
        case ValueRule::OnlineMode:
            if (!IsControlled(mode)) return FlagValue(c, slot.Field());
            return mode == OperatingMode::AutoConnectMaster ? 2 : mode == OperatingMode::AutoConnectSlave ? 3 : 0;
        case ValueRule::OperatingMode:
            if (!IsControlled(mode)) return mode == OperatingMode::Transparent ? 0 : 1;
            return c.Checked(slot.Field()) ? 3 : 2;
        default: break;
    }
    throw std::logic_error("not a mode slot");
}

// The value text a slot carries for the configuration in its operating
// mode: a decimal number, a stored destination list, or empty.
std::string SlotValueText(const CommandSlot& slot, const WorkingConfig& c) {
    const F field = slot.Field();
    switch (slot.rule) {
        case ValueRule::Choice: return std::to_string(SelectedOrDefault(c, field));
        case ValueRule::Flag: return std::to_string(FlagValue(c, field));
        case ValueRule::InvertedFlag: return std::to_string(1 - FlagValue(c, field));
        case ValueRule::Number: return std::to_string(c.Value(field) / slot.scale.factor - slot.scale.offset);
        case ValueRule::SerialFormat:
            return std::to_string(SerialFormatCode(SerialFormatOf(c)));
        case ValueRule::FlowControl:
            return std::to_string(FlowControlCode(static_cast<int>(SelectedOrDefault(c, field))));
        case ValueRule::Destination:
            // The stored destinations belong to the controlled modes: the
            // transparent modes write them empty.
            return IsControlled(c.Mode()) ? StoredDestinationList(c, field) : std::string();
        default: return std::to_string(ModeValue(slot, c));
    }
}

}  // namespace

ConfigCommandList TemplateCommandList() {
    ConfigCommandList list;
    for (std::size_t i = 0; i < kConfigCommandCount; ++i) list[i] = Slot(i).command;
    return list;
}

void AddToConfig(ConfigCommandList& list, std::size_t slot, std::string_view text) {
    std::string& line = list.at(slot);
    line.append(text);
    if (line.size() > kMaxConfigCommandLength) line.resize(kMaxConfigCommandLength);
}

ConfigCommandList BuildConfigCommandList(const WorkingConfig& config) {
    if (config.Mode() == OperatingMode::None) throw std::logic_error("no operating mode is selected");
    ConfigCommandList list = TemplateCommandList();
    for (std::size_t i = 0; i < kConfigCommandCount; ++i) AddToConfig(list, i, SlotValueText(Slot(i), config));
    return list;
}

}  // namespace qx
