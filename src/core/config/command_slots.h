#pragma once
// The module's command slots, each described once, in slot order: the
// command prefix that writes it, its caption for people, the field or
// fields it carries, how their value is written and read back, the key a
// listing (and a configuration file) names it by, and whether Configure
// holds its line back. The command builder, the readout parser's value
// steps, the comparison captions, the file format's separator and the
// configure sequence all read this table.
//
// A few rows write nothing: S9, S12 and S13 describe the module at hand
// (receive level, diagnostics, country), so the module reports them in its
// listing, where they stand among the other registers, and nothing writes
// them. Every other row is one line of the command list, in row order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

#include "config/field_table.h"

namespace qx {

// A stored destination's repeaters Zn_Rpt1..Zn_Rpt5 follow its Zn_Dest.
inline constexpr std::size_t kRepeatersPerDestination = 5;

// How a slot's fields become its value text, and the text a value again.
enum class ValueRule : std::uint8_t {
    Choice,         // the item index; a choice without a selection writes its default item
    Flag,           // 1 when the box is ticked
    InvertedFlag,   // 0 when ticked: "Disable ..." boxes the module stores the other way round
    Number,         // the number, in the module's steps (Scale)
    SerialFormat,   // stop bits, data bits and parity in one code (SerialFormatCode)
    FlowControl,    // the module's code of the flow-control item (kFlowControlCodes)
    SystemAddress,  // the address on the page of the mode's kind
    UnitAddress,    // transparent 1, repeater its group address 2, controlled the unit address
    Destination,    // a stored destination: its repeaters up to the first 0, then the destination
    OnlineMode,     // transparent: go on line at start-up; controlled: 2 master, 3 slave, 0 single
    OperatingMode,  // 0 transparent, 1 repeater; controlled 2, or 3 with fast operation
};

// How a listing writes the value after the key: exactly one digit; one or
// two digits (a one-digit value is followed by a space); a number up to the
// next space; or, after one separator, a comma list up to the next space.
enum class ValueShape : std::uint8_t { OneDigit, OneOrTwoDigits, Number, List };

// A register the module keeps in steps of its own: it stores
// value / factor - offset and reports that; it reads back as
// (stored + offset) x factor.
struct Scale {
    int factor = 1;
    int offset = 0;
};

// When Configure sends the slot's line.
enum class Sending : std::uint8_t {
    InOrder,
    HeldBack,           // after the list: switching response codes off would silence its replies
    HeldWhileDeferred,  // with the store, when this computer cannot follow the new rate and format
    Last,               // after every other line: a new operating mode may leave command mode
};

// What a listing without the key (or with a value that is no number) gives.
struct WhenMissing {
    enum Kind : std::uint8_t {
        Fails,      // the parse ends with EConvertError
        ReadsZero,  // an absent key reads as 0 (a value that is no number still fails)
        Fallback,   // any failure: the key `alternative` is tried, then `value` is taken
    } kind = Fails;
    long value = 0;
    std::string_view alternative = {};
};

struct CommandSlot {
    std::string_view command;  // "ATS1=": its line's prefix; empty for a register only reported
    std::string_view key;      // "S1:": what a listing and a file name it by
    std::string_view caption;  // "S1 Escape Guard Time (20 ms units)"
    ValueRule rule;
    ValueShape shape;
    // The fields it carries: the first always; a second that shows the same
    // setting on another page (mirrored), or the further fields the rule
    // names (the format's, the unit address's group address 2).
    std::array<FieldId, 3> fields;
    std::uint8_t fieldCount = 1;
    bool mirrored = false;
    Scale scale = {};
    Sending sending = Sending::InOrder;
    WhenMissing missing = {};

    constexpr bool Written() const { return !command.empty(); }
    // An S-register: the listing names it "Sn:".
    constexpr bool IsRegister() const { return key.starts_with('S'); }
    constexpr FieldId Field() const { return fields[0]; }
    constexpr std::optional<FieldId> Mirror() const { return mirrored ? std::optional(fields[1]) : std::nullopt; }
    // Whether the field is one this slot writes or reads (a destination
    // carries its five repeaters too).
    constexpr bool Carries(FieldId id) const {
        for (std::size_t f = 0; f < fieldCount; ++f)
            if (fields[f] == id) return true;
        return rule == ValueRule::Destination && Index(id) > Index(Field()) &&
               Index(id) <= Index(Field()) + kRepeatersPerDestination;
    }
};

namespace slot_rows {

using F = FieldId;
using R = ValueRule;
using S = ValueShape;

constexpr CommandSlot One(std::string_view command, std::string_view key, std::string_view caption, R rule, S shape,
                          F field, Sending sending = Sending::InOrder) {
    return {command, key, caption, rule, shape, {field, field, field}, 1, false, {}, sending, {}};
}

// A setting shown on two pages: both fields are read, either is written.
constexpr CommandSlot Mirrored(std::string_view command, std::string_view key, std::string_view caption, R rule,
                               F field, F mirror, Scale scale = {}) {
    return {command, key, caption, rule, S::Number, {field, mirror, field}, 2, true, scale, Sending::InOrder, {}};
}

// An S-register: a number after "Sn:" in a listing.
constexpr CommandSlot Register(std::string_view command, std::string_view key, std::string_view caption, F field,
                               Scale scale = {}, WhenMissing missing = {}) {
    return {command, key, caption, R::Number, S::Number, {field, field, field}, 1, false, scale, Sending::InOrder,
            missing};
}

// A register the module reports and nothing writes.
constexpr CommandSlot Reported(std::string_view key, std::string_view caption, F field) {
    return Register("", key, caption, field);
}

// clang-format off
inline constexpr CommandSlot kTable[] = {
    One("ATB", "B", "Radio Data Rate", R::Choice, S::OneDigit, F::Radio_DataRate),
    One("ATC", "C", "Serial Baud Rate", R::Choice, S::OneOrTwoDigits, F::Serial_Baud, Sending::HeldWhileDeferred),
    One("ATE", "E", "Local Echo", R::InvertedFlag, S::OneDigit, F::Adv_Echo),
    One("ATQ", "Q", "Response Codes", R::Flag, S::OneDigit, F::Adv_Resp, Sending::HeldBack),
    One("ATV", "V", "Verbose Response Codes", R::InvertedFlag, S::OneDigit, F::Adv_Numeric),
    One("ATX", "X", "Response Code Set", R::Choice, S::OneDigit, F::Adv_Response),
    {"AT&B", "&B", "Serial Data Format", R::SerialFormat, S::OneOrTwoDigits,
        {F::Serial_Stop, F::Serial_Data, F::Serial_Parity}, 3, false, {}, Sending::HeldWhileDeferred, {}},
    One("AT&C", "&C", "DCD Control", R::Choice, S::OneDigit, F::Serial_DCD),
    One("AT&D", "&D", "DTR Control", R::Choice, S::OneDigit, F::Serial_DTR),
    One("AT&E", "&E", "CRC Error Checking", R::Choice, S::OneDigit, F::Radio_Crc),
    One("AT&G", "&G", "Group Address 1", R::Number, S::Number, F::ed_TM_GrpAdd1),
    One("AT&K", "&K", "Flow Control", R::FlowControl, S::OneDigit, F::Serial_Flow),
    Mirrored("AT&S", "&S", "System Address", R::SystemAddress, F::ed_TM_SysAdd, F::ed_CM_SysAdd),
    {"AT&U", "&U", "Unit Address / Group Address 2", R::UnitAddress, S::Number,
        {F::ed_CM_UnitAdd, F::ed_TM_GrpAdd2, F::ed_CM_UnitAdd}, 2, false, {}, Sending::InOrder, {}},
    Mirrored("AT\\T", "\\T", "Inactivity Timeout (sec)", R::Number, F::ed_CM_LinkRst, F::Adv_LinkRst),
    Register("ATS0=", "S0:", "S0 Connection Attempts Before Answer", F::sreg_0),
    Register("ATS1=", "S1:", "S1 Escape Guard Time (20 ms units)", F::sreg_1, {20, 0}),
    Register("ATS2=", "S2:", "S2 Escape Character", F::sreg_2),
    Register("ATS3=", "S3:", "S3 Carriage Return Character", F::sreg_3),
    Register("ATS4=", "S4:", "S4 Line Feed Character", F::sreg_4),
    Register("ATS5=", "S5:", "S5 Back Space Character", F::sreg_5),
    Mirrored("ATS6=", "S6:", "S6 Link Check Time (sec)", R::Number, F::sreg_6, F::ed_CM_LinkChk),
    Mirrored("ATS7=", "S7:", "S7 Connection Attempts", R::Number, F::sreg_7, F::ed_CM_SC_Attempts),
    Register("ATS8=", "S8:", "S8 Test Timer (sec)", F::sreg_8),
    Reported("S9:", "S9 Receive Level (-dBm)", F::sreg_9),
    Register("ATS10=", "S10:", "S10 DTR Loss Detection Time (10 ms units)", F::sreg_10, {10, 0}),
    Mirrored("ATS11=", "S11:", "S11 Disconnect Delay (sec)", R::Number, F::sreg_11, F::ed_CM_SC_Delay),
    Reported("S12:", "S12 Command Mode Diagnostic", F::sreg_12),
    Reported("S13:", "S13 Country Code", F::sreg_13),
    Mirrored("ATS14=", "S14:", "S14 Packet Size (2-byte units less 10)", R::Number, F::sreg_14, F::Radio_PackSize,
             {2, 10}),
    Mirrored("ATS16=", "S16:", "S16 Tx Hold-Off (millisec)", R::Number, F::sreg_16, F::Radio_TxHold),
    Mirrored("ATS17=", "S17:", "S17 Rx Hold-Off (millisec)", R::Number, F::sreg_17, F::Radio_RxHold),
    // Older modules and files lack the later registers.
    Register("ATS18=", "S18:", "S18 Serial Rx Buffer Threshold", F::sreg_18, {}, {WhenMissing::ReadsZero}),
    Register("ATS19=", "S19:", "S19 Serial Rx Buffer Timeout (millisec)", F::sreg_19, {}, {WhenMissing::ReadsZero}),
    Register("ATS20=", "S20:", "S20 Default System Address", F::sreg_20, {}, {WhenMissing::Fallback, 100}),
    // Some listings write this register with "=".
    Register("ATS21=", "S21:", "S21 Radio Message Signature", F::sreg_21, {}, {WhenMissing::Fallback, 0, "S21="}),
    // The stored destinations stand in the order 1, 2, 3, 0.
    One("AT&Z1=", "&Z1", "2nd Stored Destination", R::Destination, S::List, F::Z1_Dest),
    One("AT&Z2=", "&Z2", "3rd Stored Destination", R::Destination, S::List, F::Z2_Dest),
    One("AT&Z3=", "&Z3", "4th Stored Destination", R::Destination, S::List, F::Z3_Dest),
    One("AT&Z0=", "&Z0", "1st Stored Destination", R::Destination, S::List, F::Z0_Dest),
    One("AT&L", "&L", "Operating Mode / Go On-Line", R::OnlineMode, S::OneDigit, F::TM_Auto_OnLine),
    One("AT&N", "&N", "Abort Connection Mode", R::InvertedFlag, S::OneDigit, F::Adv_Abort),
    One("AT&M", "&M", "Operating Mode", R::OperatingMode, S::OneDigit, F::chk_CM_Fast, Sending::Last),
};
// clang-format on

}  // namespace slot_rows

// Every row, in slot order (the reported registers among them).
inline constexpr auto& kCommandSlots = slot_rows::kTable;

// The rows that are lines of the command list, in slot order.
inline constexpr std::size_t kConfigCommandCount = [] {
    std::size_t count = 0;
    for (const CommandSlot& row : kCommandSlots) count += row.Written() ? 1 : 0;
    return count;
}();
const CommandSlot& Slot(std::size_t slot);

// The number of the slot a command writes; a command no slot has does not
// compile where a constant is needed.
constexpr std::size_t SlotNumber(std::string_view command) {
    std::size_t slot = 0;
    for (const CommandSlot& row : kCommandSlots) {
        if (row.Written() && row.command == command) return slot;
        slot += row.Written() ? 1 : 0;
    }
    throw std::logic_error("no command slot writes this command");
}

// Slots named by number.
namespace slot {
inline constexpr std::size_t ATC = SlotNumber("ATC");
inline constexpr std::size_t ATQ = SlotNumber("ATQ");
inline constexpr std::size_t ATandB = SlotNumber("AT&B");
inline constexpr std::size_t ATandM = SlotNumber("AT&M");
}  // namespace slot

// The row a listing key names; std::logic_error when there is none.
const CommandSlot& SlotKeyed(std::string_view key);

// The row (written or reported) that carries the field; nullptr when none.
const CommandSlot* SlotCarrying(FieldId id);

// The mirrored pairs: a setting shown in two places.
struct MirroredPair {
    FieldId first;
    FieldId second;
};
std::span<const MirroredPair> MirroredPairs();

// "Radio Data Rate (ATB)".
std::string SlotCaption(std::size_t slot);

}  // namespace qx
