#include "config/readout_parser.h"

#include <array>
#include <vector>

namespace qx {

namespace {

using F = FieldId;

constexpr long kUnitAddressLimit = 127;
constexpr long kFastUnitAddressLimit = 15;
constexpr long kS20Fallback = 100;
constexpr std::size_t kListElements = 6;  // five repeaters and the destination

std::uint16_t Low16(long value) { return static_cast<std::uint16_t>(static_cast<unsigned long>(value) & 0xFFFFu); }

// The characters from `from` up to the next space, or to the end.
std::string_view UpToSpace(std::string_view text, std::size_t from) {
    if (from >= text.size()) return {};
    const std::size_t space = text.find(' ', from);
    return text.substr(from, space == std::string_view::npos ? std::string_view::npos : space - from);
}

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

std::string_view ConfigReadout::NumberText(std::size_t from) const { return UpToSpace(Text(), from); }

std::uint16_t ConfigReadout::GetConfigValue(std::string_view key) const {
    return Low16(StrToInt(NumberText(FindKey(key) + key.size())));
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

// ---- The parse ------------------------------------------------------------

void ConfigReadout::ProcessReadConfig(bool fromFile) {
    WorkingConfig& c = config_;
    c.SetChoice(F::Radio_DataRate, static_cast<int>(OneDigit("B")));
    c.SetChoice(F::Serial_Baud, static_cast<int>(OneOrTwoDigits("C")));
    c.SetChecked(F::Adv_Echo, OneDigit("E") == 0);
    c.SetChecked(F::Adv_Resp, OneDigit("Q") != 0);
    CutAt("Q");
    c.SetChecked(F::Adv_Numeric, OneDigit("V") == 0);
    c.SetChoice(F::Adv_Response, static_cast<int>(OneDigit("X")));
    CutAt("X");

    const long format = OneOrTwoDigits("&B") & 0xF;
    c.SetChoice(F::Serial_Stop, static_cast<int>(format & 1));
    c.SetChoice(F::Serial_Data, static_cast<int>((format >> 1) & 1));
    c.SetChoice(F::Serial_Parity, static_cast<int>((format >> 2) & 3));
    c.SetChoice(F::Serial_DCD, static_cast<int>(OneDigit("&C")));
    c.SetChoice(F::Serial_DTR, static_cast<int>(OneDigit("&D")));
    c.Serial_DTRClick();
    c.SetChoice(F::Radio_Crc, static_cast<int>(OneDigit("&E")));
    c.SetNumber(F::ed_TM_GrpAdd1, GetConfigValue("&G"));
    ReadFlowControl();
    if (!ReadOperatingMode()) return;

    c.SetChecked(F::Adv_Abort, OneDigit("&N") == 0);
    const long systemAddress = GetConfigValue("&S");
    c.SetNumber(F::ed_CM_SysAdd, systemAddress);
    c.SetNumber(F::ed_TM_SysAdd, systemAddress);
    ReadUnitAddress();
    const long linkReset = GetConfigValue("\\T");
    c.SetNumber(F::ed_CM_LinkRst, linkReset);
    c.SetNumber(F::Adv_LinkRst, linkReset);
    CutAt("\\T");

    ReadSRegisters(fromFile);
    CutAt("S17");
    ReadStoredProfiles();
}

void ConfigReadout::ReadFlowControl() {
    const long k = OneDigit("&K");
    int index;
    switch (k) {
        case 1:
        case 2:
            // Codes the module knows but this utility does not offer.
            Tell(config_.GetPrompter(), MessageKind::Error, FlowControlMessage(k));
            index = 1;
            break;
        case 0: index = 0; break;
        case 3: index = 1; break;
        case 4: index = 2; break;
        case 5: index = 3; break;
        default: index = static_cast<int>(k); break;
    }
    config_.SetChoice(F::Serial_Flow, index);
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

void ConfigReadout::ReadUnitAddress() {
    WorkingConfig& c = config_;
    long unit = GetConfigValue("&U");
    const long limit = c.Checked(F::chk_CM_Fast) ? kFastUnitAddressLimit : kUnitAddressLimit;
    if (IsControlled(c.Mode()) && unit > limit) {
        Tell(c.GetPrompter(), MessageKind::Warning,
             "Error: Unit address of " + std::to_string(unit) +
                 " is out of range. Reprogram module with a valid address.");
        unit = limit;
    }
    c.SetNumber(F::ed_TM_GrpAdd2, unit);
    c.SetNumber(F::ed_CM_UnitAdd, unit);
}

void ConfigReadout::ReadSRegisters(bool fromFile) {
    WorkingConfig& c = config_;
    c.SetNumber(F::sreg_0, GetConfigValue("S0:"));
    c.SetNumber(F::sreg_1, GetConfigValue("S1:") * 20L);
    c.SetNumber(F::sreg_2, GetConfigValue("S2:"));
    c.SetNumber(F::sreg_3, GetConfigValue("S3:"));
    c.SetNumber(F::sreg_4, GetConfigValue("S4:"));
    c.SetNumber(F::sreg_5, GetConfigValue("S5:"));
    const long s6 = GetConfigValue("S6:");
    c.SetNumber(F::sreg_6, s6);
    c.SetNumber(F::ed_CM_LinkChk, s6);
    const long s7 = GetConfigValue("S7:");
    c.SetNumber(F::sreg_7, s7);
    c.SetNumber(F::ed_CM_SC_Attempts, s7);
    c.SetNumber(F::sreg_8, GetConfigValue("S8:"));
    CutAt("S8");

    // S9, S12 and S13 describe the module at hand (receive level,
    // diagnostics, country); a file does not carry them.
    if (!fromFile) c.SetNumber(F::sreg_9, GetConfigValue("S9:"));
    c.SetNumber(F::sreg_10, GetConfigValue("S10:") * 10L);
    const long s11 = GetConfigValue("S11:");
    c.SetNumber(F::sreg_11, s11);
    c.SetNumber(F::ed_CM_SC_Delay, s11);
    if (!fromFile) {
        c.SetNumber(F::sreg_12, GetConfigValue("S12:"));
        c.SetNumber(F::sreg_13, GetConfigValue("S13:"));
    }
    const long packetSize = GetConfigValue("S14:") * 2L + 20;
    c.SetNumber(F::sreg_14, packetSize);
    c.SetNumber(F::Radio_PackSize, packetSize);
    const long s16 = GetConfigValue("S16:");
    c.SetNumber(F::sreg_16, s16);
    c.SetNumber(F::Radio_TxHold, s16);
    const long s17 = GetConfigValue("S17:");
    c.SetNumber(F::sreg_17, s17);
    c.SetNumber(F::Radio_RxHold, s17);

    // Older modules and files lack the later registers.
    c.SetNumber(F::sreg_18, TryGetConfigValue("S18:"));
    c.SetNumber(F::sreg_19, TryGetConfigValue("S19:"));
    c.Modbus_CheckBoxCheck(c.Value(F::sreg_18) != 0 || c.Value(F::sreg_19) != 0);
    try {
        c.SetNumber(F::sreg_20, GetConfigValue("S20:"));
    } catch (const EConvertError&) {
        c.SetNumber(F::sreg_20, kS20Fallback);
    }
    s21Reference_ = static_cast<int>(c.Value(F::sreg_21));
    try {
        c.SetNumber(F::sreg_21, GetConfigValue("S21:"));
    } catch (const EConvertError&) {
        // Some listings write this register with "=".
        try {
            c.SetNumber(F::sreg_21, GetConfigValue("S21="));
        } catch (const EConvertError&) {
            c.SetNumber(F::sreg_21, 0);
        }
    }
}

void ConfigReadout::ReadStoredProfiles() {
    for (int profile = 0; profile < 4; ++profile) ReadStoredProfile(profile);
}

void ConfigReadout::ReadStoredProfile(int profile) {
    const std::string key = "&Z" + std::to_string(profile);
    // The key, one separator ("="), then the list up to the next space.
    const std::string_view list = UpToSpace(Text(), FindKey(key) + key.size() + 1);

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
    const auto dest = static_cast<F>(Index(F::Z0_Dest) + static_cast<std::size_t>(profile) * 6);
    std::size_t repeater = 1;
    for (std::size_t i = 0; i < kListElements; ++i) {
        if (i == kListElements - 1 || values[i + 1] == 0) {
            config_.SetNumber(dest, values[i]);
            return;
        }
        config_.SetNumber(static_cast<F>(Index(dest) + repeater++), values[i]);
    }
}

void ProcessReadConfig(WorkingConfig& config, std::string& replyText, int& s21Reference, ReadoutSource source) {
    ConfigReadout(config, replyText, s21Reference).ProcessReadConfig(source == ReadoutSource::File);
}

}  // namespace qx
