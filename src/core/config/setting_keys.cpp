#include "config/setting_keys.h"

#include <array>
#include <stdexcept>

namespace qx {

namespace {

using F = FieldId;
using namespace modes;

namespace labels {
constexpr std::string_view kOffOn[] = {"off", "on"};
constexpr std::string_view kSerialBaud[] = {"115200", "1200",  "2400",  "4800",  "9600",  "14400", "19200",
                                            "28800",  "31250", "38400", "57600", "76800", "115200-c12", "93750"};
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

// A setting without unit, step, note or alias.
constexpr SettingKey Plain(std::string_view key, F field, std::string_view command, unsigned applies,
                           std::span<const std::string_view> valueLabels = labels::kItems) {
    return {key, "", field, std::nullopt, "", 1, command, applies, ModelFeature::None, false, valueLabels, ""};
}

// An S-register: key "sN", every mode.
constexpr SettingKey Register(std::string_view key, F field, std::string_view command, std::string_view unit = "",
                              int step = 1) {
    return {key, "", field, std::nullopt, unit, step, command, kEvery, ModelFeature::None, command.empty(), labels::kItems,
            ""};
}

// An S-register that a page of its own shows again under a readable name.
constexpr SettingKey Mirrored(std::string_view key, std::string_view alias, F field, F mirror,
                              std::string_view command, std::string_view unit) {
    return {key, alias, field, mirror, unit, 1, command, kEvery, ModelFeature::None, false, labels::kItems, ""};
}

#define QX_DEST(n, dest, r1, r2, r3, r4, r5, cmd, shown)                         \
    Plain("dest" #n ".address", F::dest, cmd, shown),                            \
        Plain("dest" #n ".repeater1", F::r1, cmd, shown),                        \
        Plain("dest" #n ".repeater2", F::r2, cmd, shown),                        \
        Plain("dest" #n ".repeater3", F::r3, cmd, shown),                        \
        Plain("dest" #n ".repeater4", F::r4, cmd, shown),                        \
        Plain("dest" #n ".repeater5", F::r5, cmd, shown)

constexpr SettingKey kSettings[] = {
    {"mode", "", F::rb_TransMode, std::nullopt, "", 1, "AT&L, AT&M", kEvery, ModelFeature::None, false, labels::kModes, ""},
    {"system-address", "", F::ed_TM_SysAdd, F::ed_CM_SysAdd, "", 1, "AT&S", kEvery, ModelFeature::None, false, labels::kItems,
     "random 1..254 at every start"},
    Plain("group-address-1", F::ed_TM_GrpAdd1, "AT&G", kEvery),
    Plain("group-address-2", F::ed_TM_GrpAdd2, "AT&U", kRepeater),
    Plain("online-on-startup", F::TM_Auto_OnLine, "AT&L", kTransparentModes, labels::kOffOn),
    Plain("unit-address", F::ed_CM_UnitAdd, "AT&U", kControlled),
    {"fast-operation", "", F::chk_CM_Fast, std::nullopt, "", 1, "AT&M", kControlled, ModelFeature::FastControlledOperation, false, labels::kOffOn,
     "limits the unit address to 15"},
    {"low-power", "", F::chk_CM_LowPow, std::nullopt, "", 1, "", kControlled, ModelFeature::None, false, labels::kOffOn,
     "selects serial.dtr low-power-disconnect"},
    {"inactivity-timeout", "", F::ed_CM_LinkRst, F::Adv_LinkRst, "s", 1, "AT\\T", kEvery, ModelFeature::None, false,
     labels::kItems, ""},
    QX_DEST(1, Z0_Dest, Z0_Rpt1, Z0_Rpt2, Z0_Rpt3, Z0_Rpt4, Z0_Rpt5, "AT&Z0=", kMaster | kSingle),
    QX_DEST(2, Z1_Dest, Z1_Rpt1, Z1_Rpt2, Z1_Rpt3, Z1_Rpt4, Z1_Rpt5, "AT&Z1=", kSingle),
    QX_DEST(3, Z2_Dest, Z2_Rpt1, Z2_Rpt2, Z2_Rpt3, Z2_Rpt4, Z2_Rpt5, "AT&Z2=", kSingle),
    QX_DEST(4, Z3_Dest, Z3_Rpt1, Z3_Rpt2, Z3_Rpt3, Z3_Rpt4, Z3_Rpt5, "AT&Z3=", kSingle),
    Plain("radio.data-rate", F::Radio_DataRate, "ATB", kEvery),
    Plain("radio.crc", F::Radio_Crc, "AT&E", kEvery, labels::kOffOn),
    Plain("serial.baud", F::Serial_Baud, "ATC", kEvery, labels::kSerialBaud),
    Plain("serial.data-bits", F::Serial_Data, "AT&B", kEvery),
    Plain("serial.stop-bits", F::Serial_Stop, "AT&B", kEvery),
    Plain("serial.parity", F::Serial_Parity, "AT&B", kEvery, labels::kSerialParity),
    Plain("serial.flow", F::Serial_Flow, "AT&K", kEvery, labels::kSerialFlow),
    {"plc-mode", "", F::Modbus_CheckBox, std::nullopt, "", 1, "", kEvery, ModelFeature::None, false, labels::kOffOn,
     "on keeps s18 and s19 computed; off clears both"},
    Plain("serial.dtr", F::Serial_DTR, "AT&D", kEvery, labels::kSerialDtr),
    Plain("serial.dcd", F::Serial_DCD, "AT&C", kEvery, labels::kSerialDcd),
    Plain("disable-echo", F::Adv_Echo, "ATE", kEvery, labels::kOffOn),
    Plain("disable-response-codes", F::Adv_Resp, "ATQ", kEvery, labels::kOffOn),
    Plain("numeric-response-codes", F::Adv_Numeric, "ATV", kEvery, labels::kOffOn),
    Plain("disable-abort-connection", F::Adv_Abort, "AT&N", kEvery, labels::kOffOn),
    Plain("response-set", F::Adv_Response, "ATX", kEvery, labels::kResponseSet),
    Register("s0", F::sreg_0, "ATS0="),
    Register("s1", F::sreg_1, "ATS1=", "ms", 20),
    Register("s2", F::sreg_2, "ATS2="),
    Register("s3", F::sreg_3, "ATS3="),
    Register("s4", F::sreg_4, "ATS4="),
    Register("s5", F::sreg_5, "ATS5="),
    Mirrored("s6", "link-check-time", F::sreg_6, F::ed_CM_LinkChk, "ATS6=", "s"),
    Mirrored("s7", "connection-attempts", F::sreg_7, F::ed_CM_SC_Attempts, "ATS7=", ""),
    Register("s8", F::sreg_8, "ATS8=", "s"),
    Register("s9", F::sreg_9, "", "-dBm"),
    Register("s10", F::sreg_10, "ATS10=", "ms", 10),
    Mirrored("s11", "disconnect-delay", F::sreg_11, F::ed_CM_SC_Delay, "ATS11=", "s"),
    Register("s12", F::sreg_12, ""),
    Register("s13", F::sreg_13, ""),
    {"s14", "radio.packet-size", F::sreg_14, F::Radio_PackSize, "bytes", 2, "ATS14=", kEvery, ModelFeature::None, false,
     labels::kItems, ""},
    Mirrored("s16", "radio.tx-hold-off", F::sreg_16, F::Radio_TxHold, "ATS16=", "ms"),
    Mirrored("s17", "radio.rx-hold-off", F::sreg_17, F::Radio_RxHold, "ATS17=", "ms"),
    {"s18", "", F::sreg_18, std::nullopt, "", 1, "ATS18=", kEvery, ModelFeature::None, false, labels::kItems,
     "computed while plc-mode is on"},
    {"s19", "", F::sreg_19, std::nullopt, "ms", 1, "ATS19=", kEvery, ModelFeature::None, false, labels::kItems,
     "computed while plc-mode is on"},
    Register("s20", F::sreg_20, "ATS20="),
    {"s21", "", F::sreg_21, std::nullopt, "", 1, "ATS21=", kEvery, ModelFeature::S21, false, labels::kItems, ""},
};
#undef QX_DEST

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
