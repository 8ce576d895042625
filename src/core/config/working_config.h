#pragma once
// The working configuration: the one module configuration the program holds,
// with the rules that keep its fields consistent and the presentation state
// those rules set. The window displays it and forwards user actions; qxcfg
// performs the same actions, so both obey identical rules.
//
// Every way a field can change is a distinct call, because the rules depend
// on it:
//   - program sets (SetNumber, SetChecked, SetChoice) clamp; a check box,
//     radio button or radio group runs its rule when its state really changes;
//   - a user's pick in a drop-down list (PickItem) runs the pick rule;
//   - typing into a number (TypeText) runs nothing until the field is left
//     (Leave), which runs the exit rule and then clamps.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/model_variant.h"
#include "app/prompter.h"
#include "config/field_table.h"
#include "config/operating_mode.h"
#include "config/view_state.h"

namespace qx {

// Gives the random default system address, 1..254.
using SystemAddressSource = std::function<int()>;
SystemAddressSource ClockSeededSystemAddress();
SystemAddressSource FixedSystemAddress(int address);

class WorkingConfig {
public:
    // Called after a field's value or presentation changed; with no field
    // (std::nullopt) after a change of the view state or the operating mode.
    using Listener = std::function<void(std::optional<FieldId>)>;

    WorkingConfig(ModelFamily family, Prompter& prompter,
                  SystemAddressSource systemAddress = ClockSeededSystemAddress());
    WorkingConfig(const WorkingConfig&) = delete;
    WorkingConfig& operator=(const WorkingConfig&) = delete;

    // ---- Reading -------------------------------------------------------
    ModelFamily Family() const { return model_.family; }
    const ModelRecord& Model() const { return model_; }
    // Number: the integer in its text, or its minimum when the text is not
    // an integer (not limited to the range). Choice: the selected index, -1
    // for none. Flag and radio button: 1 when checked.
    long Value(FieldId id) const;
    const std::string& Text(FieldId id) const { return fields_[Index(id)].text; }
    int Choice(FieldId id) const { return fields_[Index(id)].choice; }
    bool Checked(FieldId id) const { return fields_[Index(id)].checked; }
    // The item texts of a choice (Radio_DataRate's come from the model).
    const std::vector<std::string>& Items(FieldId id) const { return fields_[Index(id)].items; }
    // The text of the selected item; empty when nothing is selected.
    std::string SelectedItemText(FieldId id) const;
    int Min(FieldId id) const { return fields_[Index(id)].min; }
    int Max(FieldId id) const { return fields_[Index(id)].max; }
    const FieldPresentation& Presentation(FieldId id) const { return fields_[Index(id)].presentation; }
    const ViewState& View() const { return view_; }

    OperatingMode Mode() const { return mode_; }
    int LastDtrSetting() const { return lastDtrSetting_; }
    bool PlcModeActive() const { return plcModeActive_; }
    bool PlcModeUpdating() const { return plcModeUpdating_; }
    Prompter& GetPrompter() const { return prompter_; }

    // ---- Program changes ------------------------------------------------
    void SetNumber(FieldId id, long value);   // clamps (not when min == max)
    void SetChecked(FieldId id, bool checked);  // rule when it really changes
    // Radio group: beyond the last item gives the last, negative gives no
    // selection; runs the group's rule when the index really changes.
    // Drop-down list: an index outside its items gives no selection; no rule.
    void SetChoice(FieldId id, int index);
    void SetMode(OperatingMode mode);  // OperatingMode itself, no rule
    void SetFrontGroup(OptionsGroup group);

    // ---- User actions ---------------------------------------------------
    void TypeText(FieldId id, std::string text);  // number being edited
    void Leave(FieldId id);                       // exit rule, then clamp
    void PickItem(FieldId id, int index);         // drop-down pick or radio group click
    void Click(FieldId id);                       // toggles a check box, checks a radio button

    // ---- Rules of the working configuration --------------------------
    void SetDefaults();
    void Show_SS_Options(bool visible);
    void DisplayTransModeGB();
    void DisplayConModeGB();
    void rb_TransModeClick();
    void rb_TM_RptClick();
    void rb_ContModeClick();
    void rb_CM_SlaveClick();
    void rb_CM_SingleClick();
    void chk_CM_FastClick();
    void chk_CM_LowPowClick();
    void Serial_DTRClick();
    void Serial_BaudChange();
    void ed_CM_UnitAddExit();

    // ---- Threshold registers and PLC mode -----------------------------
    void QueryThresholdAdjust();
    void AdjustThresholdRegisters(bool compute);
    void EnableThresholdRegisters(bool turnOn);
    void Modbus_CheckBoxCheck(bool on);
    void Modbus_CheckBoxClick();
    void Radio_DataRateClick();
    void sreg_18Exit();
    void sreg_19Exit();
    // PLC Mode on exactly when S18 or S19 is not 0, without a question.
    void PlcModeFollowsThresholds();

    // ---- Observation ------------------------------------------------------
    int Subscribe(Listener listener);
    void Unsubscribe(int token);
    // Runs where SetDefaults clears the status line and the communication
    // log, which whoever holds them (the workspace) clears here.
    void OnDefaults(std::function<void()> clearStatusAndLog) { onDefaults_ = std::move(clearStatusAndLog); }

    // The focus rule of SetDefaults and the readout: a view moves the focus
    // to the field named here.
    void RequestFocus(FieldId id);

private:
    struct FieldState {
        std::string text;  // numbers
        int choice = -1;   // choices
        bool checked = false;
        int min = 0;
        int max = 0;
        std::vector<std::string> items;
        FieldPresentation presentation;
    };

    void SetToDefault(FieldId id);
    void SetVisible(FieldId id, bool visible);
    void SetEnabled(FieldId id, bool enabled);
    void SetColor(FieldId id, FieldColor color);
    void SetFrontPanel(AdvancedPanel panel);
    void SetStoredGroupsVisible(std::array<bool, 4> visible);
    void RunCheckRule(FieldId id);
    void RunExitRule(FieldId id);
    void ClampOnLeave(FieldId id);
    void Notify(std::optional<FieldId> id);

    const ModelRecord& model_;
    Prompter& prompter_;
    SystemAddressSource systemAddress_;
    std::array<FieldState, kFieldCount> fields_;
    ViewState view_;
    OperatingMode mode_ = OperatingMode::None;
    int lastDtrSetting_ = 0;
    bool plcModeActive_ = false;
    bool plcModeUpdating_ = false;
    std::vector<std::pair<int, Listener>> listeners_;
    std::function<void()> onDefaults_;
    int nextListenerToken_ = 1;
};

}  // namespace qx
