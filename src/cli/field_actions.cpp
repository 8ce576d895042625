#include "cli/field_actions.h"

#include "cli/option_table.h"
#include "cli/setting_names.h"
#include "cli/usage_error.h"
#include "config/integer_text.h"

namespace qx::cli {

namespace {

// While typing, a number field takes only digits, signs and the decimal point.
void RequireTypableNumber(const std::string& name, const std::string& text) {
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))
            throw UsageError(name + " takes digits, signs and '.', not '" + text + "'");
}

void CheckEditable(const WorkingConfig& config, FieldId field, const std::string& name) {
    const FieldPresentation& p = config.Field(field).presentation;
    if (!p.visible) throw UsageError(name + " is not shown for this model or mode");
    if (!p.enabled) throw UsageError(name + " cannot be edited");
}

void TypeNumber(WorkingConfig& config, FieldId field, const std::string& name, const std::string& text,
                const RangePolicy& policy) {
    RequireTypableNumber(name, text);
    const int min = config.Field(field).min, max = config.Field(field).max;
    const auto number = ParseInteger(text);
    const bool fits = number && *number >= min && *number <= max;
    if (!fits && policy.strict) ReportOutOfRange(policy, name, text, min, max, 0);
    config.TypeText(field, text);
    config.Leave(field);
    if (!fits) ReportOutOfRange(policy, name, text, min, max, config.Value(field));
}

void PickSerialFormat(WorkingConfig& config, const std::string& text) {
    const SerialFormat format = ParseSerialFormatArg(text);
    config.PickItem(FieldId::Serial_Parity, format.parity);
    config.PickItem(FieldId::Serial_Data, format.data);
    config.PickItem(FieldId::Serial_Stop, format.stop);
}

}  // namespace

void ReportOutOfRange(const RangePolicy& policy, const std::string& name, const std::string& given, int min,
                      int max, long applied) {
    const std::string what = ParseInteger(given) ? name + "=" + given + " is outside " + std::to_string(min) + ".." +
                                                       std::to_string(max)
                                                 : name + "='" + given + "' is not a whole number";
    if (policy.strict) throw UsageError(what + " (--strict)");
    policy.warnings << "qxcfg: warning: " << what << "; " << applied << " applied\n";
}

namespace {

struct Assignment {
    std::string name;
    std::string value;
};

Assignment SplitAssignment(const std::string& assignment) {
    const auto eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0) throw UsageError("expected NAME=VALUE, not '" + assignment + "'");
    return {assignment.substr(0, eq), assignment.substr(eq + 1)};
}

}  // namespace

void CheckUserAction(const std::string& assignment, ModelFamily family) {
    const auto [name, value] = SplitAssignment(assignment);
    const SettingName named = ResolveSettingName(name);
    if (!named.setting) {
        ParseSerialFormatArg(value);
        return;
    }
    if (named.wholeMode) {
        ParseLabelledValue(named, family, name, value);
        return;
    }
    switch (Spec(named.field).kind) {
        case FieldKind::Number: RequireTypableNumber(name, value); break;
        case FieldKind::Choice:
        case FieldKind::Flag: ParseLabelledValue(named, family, name, value); break;
        case FieldKind::Radio: ParseIntArg(value, 0, 1, name); break;
    }
}

void ApplyUserAction(WorkingConfig& config, const std::string& assignment, const RangePolicy& policy) {
    const auto [name, value] = SplitAssignment(assignment);

    const SettingName named = ResolveSettingName(name);
    if (!named.setting) return PickSerialFormat(config, value);
    const FieldId field = named.field;

    if (named.wholeMode) {
        // Click the chosen mode's radio button.
        const auto mode = static_cast<OperatingMode>(ParseLabelledValue(named, config.Model().family, name, value));
        return config.Click(*ModeRadioButton(mode));
    }
    CheckEditable(config, field, name);
    switch (Spec(field).kind) {
        case FieldKind::Number: TypeNumber(config, field, name, value, policy); break;
        case FieldKind::Choice:
            config.PickItem(field, static_cast<int>(ParseLabelledValue(named, config.Model().family, name, value)));
            break;
        case FieldKind::Flag:
            if (ParseLabelledValue(named, config.Model().family, name, value) != config.Value(field)) config.Click(field);
            break;
        case FieldKind::Radio:
            // A mode button by its own name: 1 checks it by a click.
            if (ParseIntArg(value, 0, 1, name) == 1) {
                config.Click(field);
            } else if (config.Checked(field)) {
                throw UsageError(name + " cannot be unchecked by a click; choose another mode");
            }
            break;
    }
}

}  // namespace qx::cli
