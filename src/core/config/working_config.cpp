#include "config/working_config.h"

#include <chrono>
#include <random>
#include <stdexcept>

#include "config/integer_text.h"

namespace qx {

SystemAddressSource ClockSeededSystemAddress() {
    return [] {
        std::mt19937 gen(static_cast<std::mt19937::result_type>(
            std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}()));
        return 1 + std::uniform_int_distribution<int>(0, 253)(gen);
    };
}

SystemAddressSource FixedSystemAddress(int address) {
    return [address] { return address; };
}

WorkingConfig::WorkingConfig(ModelFamily family, Prompter& prompter, SystemAddressSource systemAddress)
    : model_(ModelOf(family)), prompter_(prompter), systemAddress_(std::move(systemAddress)) {
    for (const FieldSpec& entry : AllFields()) {
        FieldState& f = fields_[Index(entry.id)];
        f.min = entry.min;
        f.max = entry.max;
        for (auto item : ItemTexts(entry.id, model_)) f.items.emplace_back(item);
        switch (entry.kind) {
            case FieldKind::Number: f.text = std::to_string(entry.designValue); break;
            case FieldKind::Choice: f.choice = entry.designValue; break;
            case FieldKind::Flag:
            case FieldKind::Radio: f.checked = entry.designValue != 0; break;
        }
    }
    // Display-only registers cannot be edited.
    for (FieldId id : {FieldId::sreg_9, FieldId::sreg_12, FieldId::sreg_13})
        fields_[Index(id)].presentation.enabled = false;
    // Group Address 2 belongs to Transparent Repeater only.
    fields_[Index(FieldId::ed_TM_GrpAdd2)].presentation = {false, false, FieldColor::Window};
}

long WorkingConfig::Value(FieldId id) const {
    const FieldState& f = fields_[Index(id)];
    switch (Spec(id).kind) {
        case FieldKind::Number: return ParseInteger(f.text).value_or(f.min);
        case FieldKind::Choice: return f.choice;
        case FieldKind::Flag:
        case FieldKind::Radio: return f.checked ? 1 : 0;
    }
    return 0;
}

std::string WorkingConfig::SelectedItemText(FieldId id) const {
    const FieldState& f = fields_[Index(id)];
    if (f.choice < 0 || f.choice >= static_cast<int>(f.items.size())) return {};
    return f.items[static_cast<std::size_t>(f.choice)];
}

// ---- Program changes ----------------------------------------------------

void WorkingConfig::SetNumber(FieldId id, long value) {
    FieldState& f = fields_[Index(id)];
    if (f.min != f.max) value = value < f.min ? f.min : value > f.max ? f.max : value;
    std::string text = std::to_string(value);
    if (text == f.text) return;
    f.text = std::move(text);
    Notify(id);
}

void WorkingConfig::SetChecked(FieldId id, bool checked) {
    FieldState& f = fields_[Index(id)];
    if (f.checked == checked) return;
    if (checked && Spec(id).kind == FieldKind::Radio) {
        // The five mode buttons form one group: checking one unchecks the others.
        for (const FieldSpec& s : AllFields()) {
            if (s.kind == FieldKind::Radio && s.id != id && fields_[Index(s.id)].checked) {
                fields_[Index(s.id)].checked = false;
                Notify(s.id);
            }
        }
    }
    f.checked = checked;
    Notify(id);
    // A radio button's rule runs when it becomes checked.
    if (checked || Spec(id).kind != FieldKind::Radio) RunRule(RulesOf(id).onCheck, id);
}

void WorkingConfig::SetChoice(FieldId id, int index) {
    FieldState& f = fields_[Index(id)];
    const int count = static_cast<int>(f.items.size());
    const bool radioGroup = Spec(id).style == ChoiceStyle::RadioGroup;
    if (radioGroup) {
        if (index >= count) index = count - 1;
        if (index < 0) index = -1;
    } else if (index < 0 || index >= count) {
        index = -1;
    }
    if (f.choice == index) return;
    f.choice = index;
    Notify(id);
    // A radio group's rule runs on every change; a drop-down's only on the
    // user's pick.
    if (radioGroup) RunRule(RulesOf(id).onCheck, id);
}

void WorkingConfig::SetMode(OperatingMode mode) {
    if (mode_ == mode) return;
    mode_ = mode;
    Notify(std::nullopt);
}

void WorkingConfig::SetFrontGroup(OptionsGroup group) {
    if (view_.frontGroup == group) return;
    view_.frontGroup = group;
    Notify(std::nullopt);
}

void WorkingConfig::SetFrontPanel(AdvancedPanel panel) {
    if (view_.frontPanel == panel) return;
    view_.frontPanel = panel;
    Notify(std::nullopt);
}

void WorkingConfig::SetStoredGroupsVisible(std::array<bool, 4> visible) {
    if (view_.storedGroupVisible == visible) return;
    view_.storedGroupVisible = visible;
    Notify(std::nullopt);
}

void WorkingConfig::SetVisible(FieldId id, bool visible) {
    auto& p = fields_[Index(id)].presentation;
    if (p.visible == visible) return;
    p.visible = visible;
    Notify(id);
}

void WorkingConfig::SetEnabled(FieldId id, bool enabled) {
    auto& p = fields_[Index(id)].presentation;
    if (p.enabled == enabled) return;
    p.enabled = enabled;
    Notify(id);
}

void WorkingConfig::SetColor(FieldId id, FieldColor color) {
    auto& p = fields_[Index(id)].presentation;
    if (p.color == color) return;
    p.color = color;
    Notify(id);
}

void WorkingConfig::SetToDefault(FieldId id) {
    const FieldSpec& entry = Spec(id);
    if (entry.defaultValue == kComputed) throw std::logic_error("no table default for " + std::string(entry.name));
    switch (entry.kind) {
        case FieldKind::Number: SetNumber(id, entry.defaultValue); break;
        case FieldKind::Choice: SetChoice(id, entry.defaultValue); break;
        case FieldKind::Flag:
        case FieldKind::Radio: SetChecked(id, entry.defaultValue != 0); break;
    }
}

// ---- User actions ---------------------------------------------------------

void WorkingConfig::TypeText(FieldId id, std::string text) {
    if (Spec(id).kind != FieldKind::Number) throw std::invalid_argument("only numbers take typed text");
    FieldState& f = fields_[Index(id)];
    if (f.text == text) return;
    f.text = std::move(text);
    Notify(id);
}

void WorkingConfig::Leave(FieldId id) {
    if (Spec(id).kind != FieldKind::Number) return;
    RunRule(RulesOf(id).onExit, id);
    ClampOnLeave(id);
}

void WorkingConfig::ClampOnLeave(FieldId id) {
    // A text that is not an integer reads as the minimum and stays as typed.
    const FieldState& f = fields_[Index(id)];
    if (auto v = ParseInteger(f.text); v && f.min != f.max && (*v < f.min || *v > f.max)) SetNumber(id, *v);
}

void WorkingConfig::PickItem(FieldId id, int index) {
    const FieldSpec& entry = Spec(id);
    if (entry.kind != FieldKind::Choice) throw std::invalid_argument("only choices take a pick");
    if (index < 0 || index >= static_cast<int>(fields_[Index(id)].items.size()))
        throw std::out_of_range("no such item");
    SetChoice(id, index);
    // A drop-down list's rule runs on every pick the user makes.
    if (entry.style == ChoiceStyle::DropDown) RunRule(RulesOf(id).onPick, id);
}

void WorkingConfig::Click(FieldId id) {
    switch (Spec(id).kind) {
        case FieldKind::Flag: SetChecked(id, !Checked(id)); break;
        case FieldKind::Radio: SetChecked(id, true); break;
        default: throw std::invalid_argument("only check boxes and radio buttons take a click");
    }
}

void WorkingConfig::RequestFocus(FieldId id) {
    view_.focusRequest = id;
    Notify(std::nullopt);
}

// ---- Loading --------------------------------------------------------------

void WorkingConfig::DtrChoiceLoaded() { Serial_DTRClick(); }

void WorkingConfig::SetPlcMode(bool on) { Modbus_CheckBoxCheck(on); }

// ---- Observation ----------------------------------------------------------

int WorkingConfig::Subscribe(Listener listener) {
    listeners_.emplace_back(nextListenerToken_, std::move(listener));
    return nextListenerToken_++;
}

void WorkingConfig::Unsubscribe(int token) {
    std::erase_if(listeners_, [token](const auto& l) { return l.first == token; });
}

void WorkingConfig::Notify(std::optional<FieldId> id) {
    // A copy, so that a listener may unsubscribe while being told.
    const auto listeners = listeners_;
    for (const auto& [token, listener] : listeners) listener(id);
}

}  // namespace qx
