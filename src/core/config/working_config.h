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
// The rule handlers themselves are private, named as the rules are named
// (rb_TransModeClick, sreg_18Exit), and reached from one table keyed by
// field (rule_table.cpp); a load (the readout parser, a file's values) runs
// the few it needs through the calls named for it.

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

    // A field as a view shows it.
    struct FieldState {
        std::string text;  // numbers: as typed
        int choice = -1;   // choices: the selected item, -1 for none
        bool checked = false;
        int min = 0;
        int max = 0;
        std::vector<std::string> items;  // a choice's item texts (Radio_DataRate's come from the model)
        FieldPresentation presentation;
    };

    WorkingConfig(ModelFamily family, Prompter& prompter,
                  SystemAddressSource systemAddress = ClockSeededSystemAddress());
    WorkingConfig(const WorkingConfig&) = delete;
    WorkingConfig& operator=(const WorkingConfig&) = delete;

    // ---- Reading -------------------------------------------------------
    const ModelRecord& Model() const { return model_; }
    // Number: the integer in its text, or its minimum when the text is not
    // an integer (not limited to the range). Choice: the selected index, -1
    // for none. Flag and radio button: 1 when checked.
    long Value(FieldId id) const;
    bool Checked(FieldId id) const { return fields_[Index(id)].checked; }
    const FieldState& Field(FieldId id) const { return fields_[Index(id)]; }
    const ViewState& View() const { return view_; }
    OperatingMode Mode() const { return mode_; }
    bool PlcModeActive() const { return plcModeActive_; }
    Prompter& GetPrompter() const { return prompter_; }

    // ---- Program changes ------------------------------------------------
    void SetNumber(FieldId id, long value);   // clamps (not when min == max)
    void SetChecked(FieldId id, bool checked);  // its rule when it really changes
    // Radio group: beyond the last item gives the last, negative gives no
    // selection; runs the group's rule when the index really changes.
    // Drop-down list: an index outside its items gives no selection; no rule.
    void SetChoice(FieldId id, int index);

    // ---- User actions ---------------------------------------------------
    void TypeText(FieldId id, std::string text);  // number being edited
    void Leave(FieldId id);                       // exit rule, then clamp
    void PickItem(FieldId id, int index);         // drop-down pick or radio group click
    void Click(FieldId id);                       // toggles a check box, checks a radio button

    // ---- Start-up and defaults ---------------------------------------
    // The window's show step: S21 shown or hidden for the model, the blank
    // options group in front, no operating mode, then SetDefaults.
    void StartUp();
    void SetDefaults();

    // ---- Loading ----------------------------------------------------------
    // What the readout parser and a file's values run beside the program
    // setters, as a readout runs it.
    void DtrChoiceLoaded();           // the DTR rule, once Serial_DTR is set
    void PlcModeFollowsThresholds();  // PLC Mode on exactly when S18 or S19 is not 0, asking nothing
    void SetPlcMode(bool on);         // PLC Mode on or off, asking nothing
    // A view moves the focus to the field named here (SetDefaults and the
    // readout give it to the mode's radio button).
    void RequestFocus(FieldId id);

    // ---- Observation ------------------------------------------------------
    int Subscribe(Listener listener);
    void Unsubscribe(int token);
    // Runs where SetDefaults clears the status line and the communication
    // log, which whoever holds them (the workspace) clears here.
    void OnDefaults(std::function<void()> clearStatusAndLog) { onDefaults_ = std::move(clearStatusAndLog); }

private:
    // ---- The rules, reached only through the calls above ---------------
    // Each field's rules, one row in rule_table.cpp: on check (a check box
    // either way, a radio button becoming checked, a radio group's item),
    // on exit (the user leaves the number, before it is clamped), on pick
    // (the user picks a drop-down's item).
    using Rule = void (*)(WorkingConfig&, FieldId);
    struct FieldRules {
        Rule onCheck = nullptr;
        Rule onExit = nullptr;
        Rule onPick = nullptr;
    };
    static const FieldRules& RulesOf(FieldId id);
    void RunRule(Rule rule, FieldId id) {
        if (rule) rule(*this, id);
    }
    template <void (WorkingConfig::*handler)()>
    static void Call(WorkingConfig& config, FieldId) {
        (config.*handler)();
    }
    template <void (WorkingConfig::*handler)(FieldId)>
    static void CallFor(WorkingConfig& config, FieldId id) {
        (config.*handler)(id);
    }

    // The working configuration's own rules (mode_rules.cpp, exit_rules.cpp).
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
    void MirroredFieldExit(FieldId id);

    // Threshold registers and PLC mode (threshold_rules.cpp).
    void QueryThresholdAdjust();
    void AdjustThresholdRegisters(bool compute);
    void EnableThresholdRegisters(bool turnOn);
    void Modbus_CheckBoxCheck(bool on);
    void Modbus_CheckBoxClick();
    void Radio_DataRateClick();
    void sreg_18Exit();
    void sreg_19Exit();

    std::string SelectedItemText(FieldId id) const;  // empty when nothing is selected
    void SetMode(OperatingMode mode);  // OperatingMode itself, no rule
    void SetFrontGroup(OptionsGroup group);
    void SetToDefault(FieldId id);
    void SetVisible(FieldId id, bool visible);
    void SetEnabled(FieldId id, bool enabled);
    void SetColor(FieldId id, FieldColor color);
    void SetFrontPanel(AdvancedPanel panel);
    void SetStoredGroupsVisible(std::array<bool, 4> visible);
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
