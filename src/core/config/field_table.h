#pragma once
// Every field of the working configuration, described once: control name,
// kind, range or items, the default that SetDefaults gives it, the value the
// window starts with before SetDefaults (its design value), and a caption.
// The order is the order in which fields are listed and printed.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "app/model_record.h"
#include "app/module_rates.h"

namespace qx {

enum class FieldKind {
    Number,  // integer field with a range; keeps its text as typed
    Choice,  // one selected item (drop-down list or radio group); value = index
    Flag,    // check box
    Radio,   // one of the five operating-mode radio buttons
};

enum class ChoiceStyle { None, DropDown, RadioGroup };

namespace items {
inline constexpr std::string_view kRadioCrc[] = {"Disable CRC Error Checking", "Enable CRC Error Checking"};
// The module's rates by code (app/module_rates.h).
inline constexpr auto kSerialBaud = [] {
    std::array<std::string_view, kModuleRateCount> texts{};
    for (std::size_t i = 0; i < kModuleRateCount; ++i) texts[i] = kModuleRates[i].text;
    return texts;
}();
inline constexpr std::string_view kSerialData[] = {"7", "8"};
inline constexpr std::string_view kSerialStop[] = {"1", "2"};
inline constexpr std::string_view kSerialParity[] = {"None", "Zero", "Odd", "Even"};
inline constexpr std::string_view kSerialFlow[] = {"None", "CTS/RTS", "RS-485", "XON/XOFF"};
inline constexpr std::string_view kSerialDtr[] = {"Ignore DTR", "Command Mode", "Command Mode, Disconnect",
                                                  "Low Power, Disconnect"};
inline constexpr std::string_view kSerialDcd[] = {"Always On", "Only High When Connected", "Pulse Low on Disconnect"};
inline constexpr std::string_view kAdvResponse[] = {"X0:= Basic ", "X1:= X0 + Connect Rate",
                                                    "X2:= X1 + BUSY Message", "X3:= X2 + RINGING Message"};
inline constexpr std::span<const std::string_view> kNone{};
}  // namespace items

// A default that SetDefaults computes rather than takes from the table.
inline constexpr int kComputed = -1000;

// X(name, kind, style, min, max, items, default, design, caption)
#define QX_FIELD_TABLE(X)                                                                                        \
    /* Operating mode radio buttons */                                                                           \
    X(rb_TransMode, Radio, None, 0, 1, kNone, 0, 0, "Transparent Mode")                                          \
    X(rb_TM_Rpt, Radio, None, 0, 1, kNone, 0, 0, "Transparent Repeater")                                         \
    X(rb_CM_Single, Radio, None, 0, 1, kNone, 0, 0, "Single-Connect")                                            \
    X(rb_CM_Slave, Radio, None, 0, 1, kNone, 0, 0, "Auto-Connect Slave")                                         \
    X(rb_ContMode, Radio, None, 0, 1, kNone, 0, 0, "Auto-Connect Master")                                        \
    /* Transparent options */                                                                                    \
    X(ed_TM_SysAdd, Number, None, 0, 255, kNone, kComputed, 0, "System Address")                                 \
    X(ed_TM_GrpAdd1, Number, None, 0, 255, kNone, 1, 0, "Group Address 1")                                       \
    X(ed_TM_GrpAdd2, Number, None, 1, 255, kNone, 1, 1, "Group Address 2")                                       \
    X(TM_Auto_OnLine, Flag, None, 0, 1, kNone, 1, 0, "Go On-Line On Startup")                                    \
    /* Controlled options */                                                                                     \
    X(ed_CM_SysAdd, Number, None, 0, 255, kNone, kComputed, 0, "System Address")                                 \
    X(ed_CM_UnitAdd, Number, None, 1, 127, kNone, 1, 1, "Unit Address")                                          \
    X(chk_CM_Fast, Flag, None, 0, 1, kNone, 0, 0, "Fast Operation")                                              \
    X(chk_CM_LowPow, Flag, None, 0, 1, kNone, 0, 0, "Low Power Mode")                                            \
    X(ed_CM_SC_Attempts, Number, None, 1, 255, kNone, 5, 5, "Connection Attempts")                               \
    X(ed_CM_SC_Delay, Number, None, 0, 255, kNone, 0, 0, "Disconnect Delay")                                     \
    X(ed_CM_LinkChk, Number, None, 0, 255, kNone, 0, 0, "Link Check Time")                                       \
    X(ed_CM_LinkRst, Number, None, 0, 255, kNone, 0, 0, "Inactivity Timeout")                                    \
    /* Stored destination addresses */                                                                           \
    X(Z0_Dest, Number, None, 0, 255, kNone, 2, 0, "Dest 1 Destination")                                          \
    X(Z0_Rpt1, Number, None, 0, 127, kNone, 0, 0, "Dest 1 Repeater 1")                                           \
    X(Z0_Rpt2, Number, None, 0, 127, kNone, 0, 0, "Dest 1 Repeater 2")                                           \
    X(Z0_Rpt3, Number, None, 0, 127, kNone, 0, 0, "Dest 1 Repeater 3")                                           \
    X(Z0_Rpt4, Number, None, 0, 127, kNone, 0, 0, "Dest 1 Repeater 4")                                           \
    X(Z0_Rpt5, Number, None, 0, 127, kNone, 0, 0, "Dest 1 Repeater 5")                                           \
    X(Z1_Dest, Number, None, 0, 255, kNone, 0, 0, "Dest 2 Destination")                                          \
    X(Z1_Rpt1, Number, None, 0, 127, kNone, 0, 0, "Dest 2 Repeater 1")                                           \
    X(Z1_Rpt2, Number, None, 0, 127, kNone, 0, 0, "Dest 2 Repeater 2")                                           \
    X(Z1_Rpt3, Number, None, 0, 127, kNone, 0, 0, "Dest 2 Repeater 3")                                           \
    X(Z1_Rpt4, Number, None, 0, 127, kNone, 0, 0, "Dest 2 Repeater 4")                                           \
    X(Z1_Rpt5, Number, None, 0, 127, kNone, 0, 0, "Dest 2 Repeater 5")                                           \
    X(Z2_Dest, Number, None, 0, 255, kNone, 0, 0, "Dest 3 Destination")                                          \
    X(Z2_Rpt1, Number, None, 0, 127, kNone, 0, 0, "Dest 3 Repeater 1")                                           \
    X(Z2_Rpt2, Number, None, 0, 127, kNone, 0, 0, "Dest 3 Repeater 2")                                           \
    X(Z2_Rpt3, Number, None, 0, 127, kNone, 0, 0, "Dest 3 Repeater 3")                                           \
    X(Z2_Rpt4, Number, None, 0, 127, kNone, 0, 0, "Dest 3 Repeater 4")                                           \
    X(Z2_Rpt5, Number, None, 0, 127, kNone, 0, 0, "Dest 3 Repeater 5")                                           \
    X(Z3_Dest, Number, None, 0, 255, kNone, 0, 0, "Dest 4 Destination")                                          \
    X(Z3_Rpt1, Number, None, 0, 127, kNone, 0, 0, "Dest 4 Repeater 1")                                           \
    X(Z3_Rpt2, Number, None, 0, 127, kNone, 0, 0, "Dest 4 Repeater 2")                                           \
    X(Z3_Rpt3, Number, None, 0, 127, kNone, 0, 0, "Dest 4 Repeater 3")                                           \
    X(Z3_Rpt4, Number, None, 0, 127, kNone, 0, 0, "Dest 4 Repeater 4")                                           \
    X(Z3_Rpt5, Number, None, 0, 127, kNone, 0, 0, "Dest 4 Repeater 5")                                           \
    /* Page "Radio" */                                                                                           \
    X(Radio_DataRate, Choice, RadioGroup, 0, 0, kNone, 0, -1, "Data Rate") /* the model's items */                \
    X(Radio_Crc, Choice, RadioGroup, 0, 0, kRadioCrc, 0, -1, "CRC Error Checking")                               \
    X(Radio_PackSize, Number, None, 20, 530, kNone, 530, 530, "Packet Size (bytes)")                             \
    X(Radio_TxHold, Number, None, 0, 255, kNone, 0, 0, "Tx Hold-Off (millisec)")                                 \
    X(Radio_RxHold, Number, None, 0, 255, kNone, 0, 0, "Rx Hold-Off (millisec)")                                 \
    /* Page "Serial": the module's own serial port */                                                            \
    X(Serial_Baud, Choice, DropDown, 0, 0, kSerialBaud, 4, -1, "Baud Rate")                                      \
    X(Serial_Data, Choice, DropDown, 0, 0, kSerialData, 1, -1, "Data Bits")                                      \
    X(Serial_Stop, Choice, DropDown, 0, 0, kSerialStop, 0, -1, "Stop Bits")                                      \
    X(Serial_Parity, Choice, DropDown, 0, 0, kSerialParity, 0, -1, "Parity")                                     \
    X(Serial_Flow, Choice, DropDown, 0, 0, kSerialFlow, 2, -1, "Flow Control")                                   \
    X(Modbus_CheckBox, Flag, None, 0, 1, kNone, 1, 0, "PLC Mode")                                                \
    X(Serial_DTR, Choice, RadioGroup, 0, 0, kSerialDtr, 0, -1, "Data Terminal Ready (DTR) Control")              \
    X(Serial_DCD, Choice, RadioGroup, 0, 0, kSerialDcd, 1, -1, "Data Carrier Detect (DCD) Control")              \
    /* Page "Advanced" */                                                                                        \
    X(Adv_Echo, Flag, None, 0, 1, kNone, 0, 0, "Disable Local Echo")                                             \
    X(Adv_Resp, Flag, None, 0, 1, kNone, 0, 0, "Disable Response Codes")                                         \
    X(Adv_Numeric, Flag, None, 0, 1, kNone, 0, 0, "Numeric Response Codes")                                      \
    X(Adv_Abort, Flag, None, 0, 1, kNone, 0, 0, "Disable Abort Connection Mode")                                 \
    X(Adv_Response, Choice, RadioGroup, 0, 0, kAdvResponse, 0, -1, "Response Codes: ")                           \
    X(Adv_LinkRst, Number, None, 0, 255, kNone, 0, 0, "Inactivity Timeout")                                      \
    /* Page "S Reg" (there is no field for S15) */                                                               \
    X(sreg_0, Number, None, 0, 255, kNone, 1, 1, "S0 Connection Attempts Before Answer")                         \
    X(sreg_1, Number, None, 60, 5100, kNone, 1000, 1000, "S1 Escape Guard Time (millisec)")                      \
    X(sreg_2, Number, None, 1, 255, kNone, 43, 43, "S2 Escape Character")                                        \
    X(sreg_3, Number, None, 0, 127, kNone, 13, 13, "S3 Carriage Return Character")                               \
    X(sreg_4, Number, None, 0, 127, kNone, 10, 10, "S4 Line Feed Character")                                     \
    X(sreg_5, Number, None, 0, 127, kNone, 8, 8, "S5 Back Space Character")                                      \
    X(sreg_6, Number, None, 0, 255, kNone, 0, 0, "S6 Link Check Time (sec)")                                     \
    X(sreg_7, Number, None, 1, 255, kNone, 5, 5, "S7 Connection Attempts")                                       \
    X(sreg_8, Number, None, 0, 255, kNone, 0, 0, "S8 Test Timer (sec)")                                          \
    X(sreg_9, Number, None, 0, 255, kNone, 0, 0, "S9 Receive Level (-dBm)")                                      \
    X(sreg_10, Number, None, 0, 2550, kNone, 10, 10, "S10 DTR Loss Detection Time (millisec)")                   \
    X(sreg_11, Number, None, 0, 255, kNone, 0, 0, "S11 Disconnect Delay (sec)")                                  \
    X(sreg_12, Number, None, 0, 255, kNone, 0, 0, "S12 Command Mode Diagnostic")                                 \
    X(sreg_13, Number, None, 0, 10, kNone, 0, 0, "S13 Country Code")                                             \
    X(sreg_14, Number, None, 20, 530, kNone, 530, 530, "S14 Packet Size (bytes)")                                \
    X(sreg_16, Number, None, 0, 255, kNone, 0, 0, "S16 Tx Hold-Off (millisec)")                                  \
    X(sreg_17, Number, None, 0, 255, kNone, 0, 0, "S17 Rx Hold-Off (millisec)")                                  \
    X(sreg_18, Number, None, 0, 255, kNone, kComputed, 0, "S18 Serial Rx Buffer Threshold")                      \
    X(sreg_19, Number, None, 0, 255, kNone, kComputed, 0, "S19 Serial Rx Buffer Timeout (millisec)")             \
    X(sreg_20, Number, None, 0, 255, kNone, 100, 0, "S20 Default System Address")                                \
    X(sreg_21, Number, None, 0, 3, kNone, 1, 1, "S21 Radio Message Signature")

enum class FieldId : int {
#define QX_FIELD_ENUM(name, ...) name,
    QX_FIELD_TABLE(QX_FIELD_ENUM)
#undef QX_FIELD_ENUM
};

inline constexpr std::size_t kFieldCount = 0
#define QX_FIELD_COUNT(...) +1
    QX_FIELD_TABLE(QX_FIELD_COUNT)
#undef QX_FIELD_COUNT
    ;

struct FieldSpec {
    FieldId id;
    std::string_view name;
    FieldKind kind;
    ChoiceStyle style;
    int min;
    int max;
    std::span<const std::string_view> items;
    int defaultValue;  // kComputed where SetDefaults works it out
    int designValue;   // choices: -1 = no selection
    std::string_view caption;
};

const FieldSpec& Spec(FieldId id);
// A choice's item texts on a model: the table's, and the Radio Data Rate
// items of the model's record.
std::span<const std::string_view> ItemTexts(FieldId id, const ModelRecord& model);
std::span<const FieldSpec> AllFields();
std::optional<FieldId> FindField(std::string_view name);

constexpr std::size_t Index(FieldId id) { return static_cast<std::size_t>(id); }

}  // namespace qx
