#include "config/readout_parser.h"

#include <array>
#include <stdexcept>

#include "config/module_serial.h"

namespace qx {

namespace {

using F = FieldId;

constexpr std::size_t kListElements = 6;  // five repeaters and the destination

std::uint16_t Low16(long value) { return static_cast<std::uint16_t>(static_cast<unsigned long>(value) & 0xFFFFu); }

// The characters from `from` up to the next space, or to the end.
std::string_view UpToSpace(std::string_view text, std::size_t from) {
    if (from >= text.size()) return {};
    const std::size_t space = text.find(' ', from);
    return text.substr(from, space == std::string_view::npos ? std::string_view::npos : space - from);
}

// The listing, key by key, in the order the parser reads it: the order a
// module lists its settings in, which the cuts rely on (a cut keeps the
// text from just before its anchor, so that a key standing again further on,
// "S1" in "S10", "&Z1" in "&Z10", is found where it belongs).
struct ListingStep {
    std::string_view key;         // the command slot's listing key
    std::string_view cutAt = {};  // then cut the text at this anchor
};

// clang-format off
constexpr ListingStep kListingSteps[] = {
    {"B"}, {"C"}, {"E"}, {"Q", "Q"}, {"V"}, {"X", "X"},
    {"&B"}, {"&C"}, {"&D"}, {"&E"}, {"&G"}, {"&K"},
    {"&L"}, {"&M"},  // the operating mode, read from both at "&M"
    {"&N"}, {"&S"}, {"&U"}, {"\\T", "\\T"},
    {"S0:"}, {"S1:"}, {"S2:"}, {"S3:"}, {"S4:"}, {"S5:"}, {"S6:"}, {"S7:"}, {"S8:", "S8"}, {"S9:"}, {"S10:"},
    {"S11:"}, {"S12:"}, {"S13:"}, {"S14:"}, {"S16:"}, {"S17:"}, {"S18:"}, {"S19:"}, {"S20:"}, {"S21:", "S17"},
    {"&Z0"}, {"&Z1"}, {"&Z2"}, {"&Z3"},
};
// clang-format on

// Every slot of the table is read, once.
constexpr bool ReadsEverySlotOnce() {
    if (std::size(kListingSteps) != std::size(kCommandSlots)) return false;
    for (const CommandSlot& slot : kCommandSlots) {
        int reads = 0;
        for (const ListingStep& step : kListingSteps) reads += step.key == slot.key ? 1 : 0;
        if (reads != 1) return false;
    }
    return true;
}
static_assert(ReadsEverySlotOnce(), "the listing steps and the command slots name different keys");

std::string FlowControlMessage(long k) {
    return std::string(kFlowControlMessageStart) + std::to_string(k) +
           " for flow control.\r\n"
           "This value is not yet supported and has been changed to &&K3 (CTS/RTS).\r\n"
           "The module MUST be reprogrammed for the change to take effect.";
}

}  // namespace

// ---- Finding keys and values ----------------------------------------------

std::size_t ConfigReadout::FindKey(std::string_view key) const {
    const std::size_t at = Text().find(key);
    // A missing key reads as an empty value text.
    if (at == std::string_view::npos) throw EConvertError("");
    return at;
}

long ConfigReadout::OneDigit(std::string_view key) const {
    const std::size_t v = FindKey(key) + key.size();
    return StrToInt(v < Text().size() ? Text().substr(v, 1) : std::string_view());
}

long ConfigReadout::OneOrTwoDigits(std::string_view key) const {
    const std::size_t v = FindKey(key) + key.size();
    if (v >= Text().size()) return StrToInt("");
    // A one-digit value is told from a two-digit one by the space after it;
    // a one-digit value directly before a line end is therefore read with
    // the line end and fails.
    const bool oneDigit = v + 1 < Text().size() && Text()[v + 1] == ' ';
    return StrToInt(Text().substr(v, oneDigit ? 1 : 2));
}

std::uint16_t ConfigReadout::GetConfigValue(std::string_view key) const {
    return Low16(StrToInt(UpToSpace(Text(), FindKey(key) + key.size())));
}

std::uint16_t ConfigReadout::TryGetConfigValue(std::string_view key) const {
    if (Text().find(key) == std::string_view::npos) return 0;
    return GetConfigValue(key);
}

void ConfigReadout::FlushBufferUpTo(long position) {
    if (position <= 1) return;
    const auto start = static_cast<std::size_t>(position - 1);
    if (start >= replyText_.size())
        replyText_.clear();
    else
        replyText_.erase(0, start);
}

void ConfigReadout::CutAt(std::string_view anchor) {
    // Keeps the text from the character just before the anchor; an absent
    // anchor leaves the text whole.
    const std::size_t at = Text().find(anchor);
    if (at == std::string_view::npos) return;
    FlushBufferUpTo(static_cast<long>(at));  // 1-based position of the anchor, less one
}

// ---- The slots' values ------------------------------------------------------

long ConfigReadout::ShapedValue(const CommandSlot& slot) const {
    switch (slot.shape) {
        case ValueShape::OneDigit: return OneDigit(slot.key);
        case ValueShape::OneOrTwoDigits: return OneOrTwoDigits(slot.key);
        case ValueShape::Number: return GetConfigValue(slot.key);
        case ValueShape::List: break;
    }
    throw std::logic_error("a list is read by its own step");
}

bool ConfigReadout::Read(const CommandSlot& slot, bool fromFile) {
    if (slot.IsRegister()) {
        ReadRegister(slot, fromFile);
        return true;
    }
    switch (slot.rule) {
        case ValueRule::OnlineMode: return true;  // read with the operating mode
        case ValueRule::OperatingMode: return ReadOperatingMode();
        case ValueRule::Destination: ReadStoredProfile(slot); return true;
        default: break;
    }
    WorkingConfig& c = config_;
    const FieldId field = slot.Field();
    const long value = ShapedValue(slot);
    switch (slot.rule) {
        case ValueRule::Choice: c.SetChoice(field, static_cast<int>(value)); break;
        case ValueRule::Flag: c.SetChecked(field, value != 0); break;
        case ValueRule::InvertedFlag: c.SetChecked(field, value == 0); break;
        case ValueRule::SerialFormat: {
            const SerialFormat format = SerialFormatFromCode(value);
            c.SetChoice(F::Serial_Stop, format.stop);
            c.SetChoice(F::Serial_Data, format.data);
            c.SetChoice(F::Serial_Parity, format.parity);
            break;
        }
        case ValueRule::FlowControl: ReadFlowControl(slot, value); break;
        case ValueRule::UnitAddress: ReadUnitAddress(slot, value); break;
        case ValueRule::Number:
        case ValueRule::SystemAddress: SetNumbers(slot, value); break;
        default: break;
    }
    // The DTR rule runs once the choice is read, as the readout has always
    // run it.
    if (field == F::Serial_DTR) c.DtrChoiceLoaded();
    return true;
}

void ConfigReadout::SetNumbers(const CommandSlot& slot, long stored) {
    const long value = (stored + slot.scale.offset) * slot.scale.factor;
    config_.SetNumber(slot.Field(), value);
    if (slot.mirrored) config_.SetNumber(slot.fields[1], value);
}

// ---- The parse ------------------------------------------------------------

bool ConfigReadout::ProcessReadConfig(bool fromFile) {
    for (const ListingStep& step : kListingSteps) {
        // A model that refuses the operating mode read ends the parse.
        if (!Read(SlotKeyed(step.key), fromFile)) return false;
        if (!step.cutAt.empty()) CutAt(step.cutAt);
    }
    return true;
}

void ConfigReadout::ReadFlowControl(const CommandSlot& slot, long k) {
    int index;
    if (k == 1 || k == 2) {
        // Codes the module knows but this utility does not offer.
        Tell(config_.GetPrompter(), MessageKind::Error, FlowControlMessage(k));
        index = 1;
    } else {
        index = FlowControlItem(k).value_or(static_cast<int>(k));
    }
    config_.SetChoice(slot.Field(), index);
}

bool ConfigReadout::ReadOperatingMode() {
    WorkingConfig& c = config_;
    const long l = OneDigit("&L");
    const long m = OneDigit("&M");
    // Checking the mode's radio button runs its rule, which presets the unit
    // address and first destination; both are read afterwards and replace
    // those presets.
    auto select = [&c](F button) {
        c.SetChecked(button, true);
        c.RequestFocus(button);
    };
    if (m >= 2) {
        select(l == 0 || l == 1 ? F::rb_CM_Single : l == 2 ? F::rb_ContMode : F::rb_CM_Slave);
        if (m == 3) {
            if (!c.Model().fastControlledOperation) {
                Tell(c.GetPrompter(), MessageKind::Error, std::string(c.Model().fastModeRefusal));
                c.SetDefaults();
                return false;
            }
            c.SetChecked(F::chk_CM_Fast, true);
        }
    } else {
        select(m == 0 ? F::rb_TransMode : F::rb_TM_Rpt);
        if (l == 0 || l == 1)
            c.SetChecked(F::TM_Auto_OnLine, l == 1);
        else
            Tell(c.GetPrompter(), MessageKind::Error, kInvalidModeMessage);
    }
    return true;
}

void ConfigReadout::ReadUnitAddress(const CommandSlot& slot, long unit) {
    WorkingConfig& c = config_;
    const long limit = UnitAddressLimit(c.Checked(F::chk_CM_Fast));
    if (IsControlled(c.Mode()) && unit > limit) {
        Tell(c.GetPrompter(), MessageKind::Warning,
             "Error: Unit address of " + std::to_string(unit) +
                 " is out of range. Reprogram module with a valid address.");
        unit = limit;
    }
    // The address serves as a repeater's group address 2 as well.
    c.SetNumber(slot.fields[1], unit);
    c.SetNumber(slot.fields[0], unit);
}

long ConfigReadout::RegisterValue(const CommandSlot& slot) const {
    switch (slot.missing.kind) {
        case WhenMissing::Fails: return GetConfigValue(slot.key);
        case WhenMissing::ReadsZero: return TryGetConfigValue(slot.key);
        case WhenMissing::Fallback: break;
    }
    try {
        return GetConfigValue(slot.key);
    } catch (const EConvertError&) {
    }
    if (!slot.missing.alternative.empty()) {
        try {
            return GetConfigValue(slot.missing.alternative);
        } catch (const EConvertError&) {
        }
    }
    return slot.missing.value;
}

void ConfigReadout::ReadRegister(const CommandSlot& slot, bool fromFile) {
    WorkingConfig& c = config_;
    // S9, S12 and S13 describe the module at hand (receive level,
    // diagnostics, country); a file does not carry them.
    if (fromFile && !slot.Written()) return;
    // What the firmware is judged against: the S21 value held before.
    if (slot.Field() == F::sreg_21) s21Reference_ = static_cast<int>(c.Value(F::sreg_21));
    SetNumbers(slot, RegisterValue(slot));
    if (slot.Field() == F::sreg_19) c.PlcModeFollowsThresholds();
}

void ConfigReadout::ReadStoredProfile(const CommandSlot& slot) {
    // The key, one separator ("="), then the list up to the next space.
    const std::string_view list = UpToSpace(Text(), FindKey(slot.key) + slot.key.size() + 1);

    std::array<long, kListElements> values{};  // missing elements read as 0
    std::size_t count = 0;
    if (!list.empty()) {
        std::size_t start = 0;
        while (count < kListElements) {
            const std::size_t comma = list.find(',', start);
            const std::string_view element =
                list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
            values[count++] = Low16(StrToInt(element));
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
    }

    // Elements up to the one before a 0 (or the sixth) are repeaters in path
    // order; that one is the destination.
    const F dest = slot.Field();
    std::size_t repeater = 1;
    for (std::size_t i = 0; i < kListElements; ++i) {
        if (i == kListElements - 1 || values[i + 1] == 0) {
            config_.SetNumber(dest, values[i]);
            return;
        }
        config_.SetNumber(static_cast<F>(Index(dest) + repeater++), values[i]);
    }
}

bool ProcessReadConfig(WorkingConfig& config, std::string& replyText, int& s21Reference, ReadoutSource source) {
    return ConfigReadout(config, replyText, s21Reference).ProcessReadConfig(source == ReadoutSource::File);
}

}  // namespace qx
