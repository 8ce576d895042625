#include "config/command_slots.h"

#include <stdexcept>
#include <string>

namespace qx {

namespace {

// The table positions of the command list's slots.
constexpr auto kSlotRows = [] {
    std::array<std::size_t, kConfigCommandCount> rows{};
    std::size_t slot = 0;
    for (std::size_t i = 0; i < std::size(kCommandSlots); ++i)
        if (kCommandSlots[i].Written()) rows.at(slot++) = i;
    return rows;
}();

// The configure sequence holds back one line (response codes) and sends
// one last (the operating mode).
constexpr int SlotsSent(Sending sending) {
    int n = 0;
    for (const CommandSlot& row : kCommandSlots) n += row.sending == sending ? 1 : 0;
    return n;
}
static_assert(SlotsSent(Sending::HeldBack) == 1 && SlotsSent(Sending::Last) == 1);

// Each key and each command stands once.
constexpr bool KeysDistinct() {
    for (std::size_t i = 0; i < std::size(kCommandSlots); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (kCommandSlots[i].key == kCommandSlots[j].key ||
                (kCommandSlots[i].Written() && kCommandSlots[i].command == kCommandSlots[j].command))
                return false;
    return true;
}
static_assert(KeysDistinct());

// A field belongs to one row at most.
constexpr bool FieldsCarriedOnce() {
    std::array<int, kFieldCount> uses{};
    for (const CommandSlot& row : kCommandSlots)
        for (std::size_t f = 0; f < row.fieldCount; ++f) ++uses[Index(row.fields[f])];
    for (int n : uses)
        if (n > 1) return false;
    return true;
}
static_assert(FieldsCarriedOnce());

constexpr std::size_t MirroredCount() {
    std::size_t n = 0;
    for (const CommandSlot& row : kCommandSlots) n += row.mirrored ? 1 : 0;
    return n;
}

constexpr auto kMirrors = [] {
    std::array<MirroredPair, MirroredCount()> pairs{};
    std::size_t n = 0;
    for (const CommandSlot& row : kCommandSlots)
        if (row.mirrored) pairs.at(n++) = {row.fields[0], row.fields[1]};
    return pairs;
}();

}  // namespace

const CommandSlot& Slot(std::size_t slot) { return kCommandSlots[kSlotRows.at(slot)]; }

const CommandSlot& SlotKeyed(std::string_view key) {
    for (const CommandSlot& row : kCommandSlots)
        if (row.key == key) return row;
    throw std::logic_error("no command slot keyed " + std::string(key));
}

const CommandSlot* SlotCarrying(FieldId id) {
    for (const CommandSlot& row : kCommandSlots)
        if (row.Carries(id)) return &row;
    return nullptr;
}

std::span<const MirroredPair> MirroredPairs() { return kMirrors; }

std::string SlotCaption(std::size_t slot) {
    if (slot >= kConfigCommandCount) return {};
    return std::string(Slot(slot).caption) + " (" + std::string(Slot(slot).command) + ")";
}

}  // namespace qx
