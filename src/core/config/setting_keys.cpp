#include "config/setting_keys.h"

#include <array>
#include <stdexcept>

#include "config/command_slots.h"

namespace qx {

namespace {

using F = FieldId;
using namespace modes;

namespace labels {
constexpr std::string_view kOffOn[] = {"off", "on"};
constexpr auto kSerialBaud = [] {
    std::array<std::string_view, kModuleRateCount> texts{};
    for (std::size_t i = 0; i < kModuleRateCount; ++i) texts[i] = kModuleRates[i].label;
    return texts;
}();
constexpr std::string_view kSerialParity[] = {"none", "zero", "odd", "even"};
constexpr std::string_view kSerialFlow[] = {"none", "cts-rts", "rs-485", "xon-xoff"};
constexpr std::string_view kSerialDtr[] = {"ignore", "command-mode", "command-mode-disconnect",
                                           "low-power-disconnect"};
constexpr std::string_view kSerialDcd[] = {"always-on", "high-when-connected", "pulse-low-on-disconnect"};
constexpr std::string_view kResponseSet[] = {"x0", "x1", "x2", "x3"};
constexpr std::string_view kModes[] = {"transparent", "transparent-repeater", "auto-connect-master",
                                       "auto-connect-slave", "single-connect"};
constexpr std::span<const std::string_view> kItems{};  // the choice's own item texts
}  // namespace labels

// A setting without unit, note or alias.
constexpr SettingKey Plain(std::string_view key, F field, unsigned applies,
                           std::span<const std::string_view> valueLabels = labels::kItems) {
    return {key, "", field, "", applies, ModelFeature::None, valueLabels, ""};
}

// An S-register: key "sN", every mode.
constexpr SettingKey Register(std::string_view key, F field, std::string_view unit = "", std::string_view alias = "",
                              std::string_view note = "") {
    return {key, alias, field, unit, kEvery, ModelFeature::None, labels::kItems, note};
}

#define QX_DEST(n, dest, r1, r2, r3, r4, r5, shown)                                                               \
    Plain("dest" #n ".address", F::dest, shown), Plain("dest" #n ".repeater1", F::r1, shown),                   \
        Plain("dest" #n ".repeater2", F::r2, shown), Plain("dest" #n ".repeater3", F::r3, shown),               \
        Plain("dest" #n ".repeater4", F::r4, shown), Plain("dest" #n ".repeater5", F::r5, shown)

constexpr SettingKey kNamed[] = {
    {"mode", "", F::rb_TransMode, "", kEvery, ModelFeature::None, labels::kModes, ""},
    {"system-address", "", F::ed_TM_SysAdd, "", kEvery, ModelFeature::None, labels::kItems,
     "random 1..254 at every start"},
    Plain("group-address-1", F::ed_TM_GrpAdd1, kEvery),
    Plain("group-address-2", F::ed_TM_GrpAdd2, kRepeater),
    Plain("online-on-startup", F::TM_Auto_OnLine, kTransparentModes, labels::kOffOn),
    Plain("unit-address", F::ed_CM_UnitAdd, kControlled),
    {"fast-operation", "", F::chk_CM_Fast, "", kControlled, ModelFeature::FastControlledOperation, labels::kOffOn,
     "limits the unit address to 15"},
    {"low-power", "", F::chk_CM_LowPow, "", kControlled, ModelFeature::None, labels::kOffOn,
     "selects serial.dtr low-power-disconnect"},
    {"inactivity-timeout", "", F::ed_CM_LinkRst, "s", kEvery, ModelFeature::None, labels::kItems, ""},
    QX_DEST(1, Z0_Dest, Z0_Rpt1, Z0_Rpt2, Z0_Rpt3, Z0_Rpt4, Z0_Rpt5, kMaster | kSingle),
    QX_DEST(2, Z1_Dest, Z1_Rpt1, Z1_Rpt2, Z1_Rpt3, Z1_Rpt4, Z1_Rpt5, kSingle),
    QX_DEST(3, Z2_Dest, Z2_Rpt1, Z2_Rpt2, Z2_Rpt3, Z2_Rpt4, Z2_Rpt5, kSingle),
    QX_DEST(4, Z3_Dest, Z3_Rpt1, Z3_Rpt2, Z3_Rpt3, Z3_Rpt4, Z3_Rpt5, kSingle),
    Plain("radio.data-rate", F::Radio_DataRate, kEvery),
    Plain("radio.crc", F::Radio_Crc, kEvery, labels::kOffOn),
    Plain("serial.baud", F::Serial_Baud, kEvery, labels::kSerialBaud),
    Plain("serial.data-bits", F::Serial_Data, kEvery),
    Plain("serial.stop-bits", F::Serial_Stop, kEvery),
    Plain("serial.parity", F::Serial_Parity, kEvery, labels::kSerialParity),
    Plain("serial.flow", F::Serial_Flow, kEvery, labels::kSerialFlow),
    {"plc-mode", "", F::Modbus_CheckBox, "", kEvery, ModelFeature::None, labels::kOffOn,
     "on keeps s18 and s19 computed; off clears both"},
    Plain("serial.dtr", F::Serial_DTR, kEvery, labels::kSerialDtr),
    Plain("serial.dcd", F::Serial_DCD, kEvery, labels::kSerialDcd),
    Plain("disable-echo", F::Adv_Echo, kEvery, labels::kOffOn),
    Plain("disable-response-codes", F::Adv_Resp, kEvery, labels::kOffOn),
    Plain("numeric-response-codes", F::Adv_Numeric, kEvery, labels::kOffOn),
    Plain("disable-abort-connection", F::Adv_Abort, kEvery, labels::kOffOn),
    Plain("response-set", F::Adv_Response, kEvery, labels::kResponseSet),
    Register("s0", F::sreg_0),
    Register("s1", F::sreg_1, "ms"),
    Register("s2", F::sreg_2),
    Register("s3", F::sreg_3),
    Register("s4", F::sreg_4),
    Register("s5", F::sreg_5),
    Register("s6", F::sreg_6, "s", "link-check-time"),
    Register("s7", F::sreg_7, "", "connection-attempts"),
    Register("s8", F::sreg_8, "s"),
    Register("s9", F::sreg_9, "-dBm"),
    Register("s10", F::sreg_10, "ms"),
    Register("s11", F::sreg_11, "s", "disconnect-delay"),
    Register("s12", F::sreg_12),
    Register("s13", F::sreg_13),
    Register("s14", F::sreg_14, "bytes", "radio.packet-size"),
    Register("s16", F::sreg_16, "ms", "radio.tx-hold-off"),
    Register("s17", F::sreg_17, "ms", "radio.rx-hold-off"),
    Register("s18", F::sreg_18, "", "", "computed while plc-mode is on"),
    Register("s19", F::sreg_19, "ms", "", "computed while plc-mode is on"),
    Register("s20", F::sreg_20),
    {"s21", "", F::sreg_21, "", kEvery, ModelFeature::S21, labels::kItems, ""},
};
#undef QX_DEST

// What the setting's command slot says of it.
constexpr SettingKey FromItsSlot(SettingKey setting) {
    for (const CommandSlot& row : kCommandSlots) {
        if (!row.Carries(setting.field)) continue;
        if (row.mirrored && row.Field() == setting.field) setting.mirror = row.fields[1];
        setting.step = row.scale.factor;
        setting.readOnly = !row.Written();
    }
    return setting;
}

constexpr auto kSettings = [] {
    std::array<SettingKey, std::size(kNamed)> settings{};
    for (std::size_t i = 0; i < settings.size(); ++i) settings[i] = FromItsSlot(kNamed[i]);
    return settings;
}();

// Every field belongs to exactly one setting: as its field, its mirror, or
// (the mode buttons) through "mode".
constexpr bool CoversEveryFieldOnce() {
    std::array<int, kFieldCount> uses{};
    for (const SettingKey& s : kSettings) {
        ++uses[Index(s.field)];
        if (s.mirror) ++uses[Index(*s.mirror)];
    }
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const bool radio = i >= Index(F::rb_TransMode) && i <= Index(F::rb_ContMode);
        if (uses[i] != (radio && i != Index(F::rb_TransMode) ? 0 : 1)) return false;
    }
    return true;
}
static_assert(CoversEveryFieldOnce());

}  // namespace

std::span<const SettingKey> AllSettings() { return kSettings; }

std::string SettingCommand(const SettingKey& setting) {
    std::string commands;
    for (const CommandSlot& row : kCommandSlots) {
        const bool feeds = IsModeSetting(setting)
                               ? row.rule == ValueRule::OnlineMode || row.rule == ValueRule::OperatingMode
                               : row.Carries(setting.field);
        if (feeds && row.Written()) commands += (commands.empty() ? "" : ", ") + std::string(row.command);
    }
    return commands;
}

const SettingKey* FindSettingKey(std::string_view name) {
    if (name.empty()) return nullptr;
    for (const SettingKey& s : kSettings)
        if (s.key == name || s.alias == name) return &s;
    return nullptr;
}

const SettingKey& SettingOf(FieldId field) {
    if (Spec(field).kind == FieldKind::Radio) return kSettings[0];
    for (const SettingKey& s : kSettings)
        if (s.field == field || s.mirror == field) return s;
    throw std::logic_error("no setting for " + std::string(Spec(field).name));
}

}  // namespace qx
