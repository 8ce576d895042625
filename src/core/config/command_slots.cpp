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

constexpr std::size_t WrittenRows() {
    std::size_t n = 0;
    for (const CommandSlot& row : kCommandSlots) n += row.Written() ? 1 : 0;
    return n;
}
static_assert(WrittenRows() == kConfigCommandCount, "every command slot is one row of the table");

// One operating-mode slot, sent last; the rest in order or held back.
constexpr bool OneLastSlot() {
    int last = 0;
    for (const CommandSlot& row : kCommandSlots) last += row.sending == Sending::Last ? 1 : 0;
    return last == 1;
}
static_assert(OneLastSlot());

// The slots other code names by number.
constexpr bool NamedSlotsAgree() {
    return kCommandSlots[kSlotRows[slot::ATC]].command == "ATC" &&
           kCommandSlots[kSlotRows[slot::ATQ]].command == "ATQ" &&
           kCommandSlots[kSlotRows[slot::ATandB]].command == "AT&B" &&
           kCommandSlots[kSlotRows[slot::ATandM]].command == "AT&M";
}
static_assert(NamedSlotsAgree());

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
