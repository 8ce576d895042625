// Which rule runs when, field by field: the one table through which every
// change of a field reaches the working configuration's rules. A check
// rule runs when a check box changes either way, when a radio button
// becomes checked, and when a radio group's item changes (by the program
// too); an exit rule when the user leaves a number, before it is clamped;
// a pick rule when the user picks a drop-down list's item (never when the
// program sets it). A field without a row has no rule.

#include "config/command_slots.h"
#include "config/working_config.h"

namespace qx {

const WorkingConfig::FieldRules& WorkingConfig::RulesOf(FieldId id) {
    using W = WorkingConfig;
    using F = FieldId;
    struct Row {
        F field;
        FieldRules rules;
    };
    // clang-format off
    static constexpr Row kRows[] = {
        {F::rb_TransMode,    {.onCheck = Call<&W::rb_TransModeClick>}},
        {F::rb_TM_Rpt,       {.onCheck = Call<&W::rb_TM_RptClick>}},
        {F::rb_ContMode,     {.onCheck = Call<&W::rb_ContModeClick>}},
        {F::rb_CM_Slave,     {.onCheck = Call<&W::rb_CM_SlaveClick>}},
        {F::rb_CM_Single,    {.onCheck = Call<&W::rb_CM_SingleClick>}},
        {F::chk_CM_Fast,     {.onCheck = Call<&W::chk_CM_FastClick>}},
        {F::chk_CM_LowPow,   {.onCheck = Call<&W::chk_CM_LowPowClick>}},
        {F::Modbus_CheckBox, {.onCheck = Call<&W::Modbus_CheckBoxClick>}},
        {F::Radio_DataRate,  {.onCheck = Call<&W::Radio_DataRateClick>}},
        {F::Serial_Baud,     {.onPick = Call<&W::Serial_BaudChange>}},
        {F::ed_CM_UnitAdd,   {.onExit = Call<&W::ed_CM_UnitAddExit>}},
        {F::sreg_18,         {.onExit = Call<&W::sreg_18Exit>}},
        {F::sreg_19,         {.onExit = Call<&W::sreg_19Exit>}},
    };
    // clang-format on
    static constexpr auto kRules = [] {
        std::array<FieldRules, kFieldCount> rules{};
        // Both fields of every mirrored pair (the command slots name them)
        // copy their value into the other when left.
        for (const CommandSlot& slot : kCommandSlots) {
            if (const auto mirror = slot.Mirror()) {
                rules[Index(slot.Field())].onExit = CallFor<&W::MirroredFieldExit>;
                rules[Index(*mirror)].onExit = CallFor<&W::MirroredFieldExit>;
            }
        }
        for (const Row& row : kRows) {
            // A field has one row: a mirrored field's row would replace its copy.
            if (rules[Index(row.field)].onExit) throw "a mirrored field cannot have a row of its own";
            rules[Index(row.field)] = row.rules;
        }
        return rules;
    }();
    return kRules[Index(id)];
}

}  // namespace qx
