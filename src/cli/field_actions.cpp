#include "cli/field_actions.h"

#include "cli/arg_reader.h"
#include "cli/usage_error.h"

namespace qx::cli {

namespace {

// While typing, a number field takes only digits, signs and the decimal point.
bool TypableNumberText(const std::string& text) {
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')) return false;
    return true;
}

void ClickMode(WorkingConfig& config, const std::string& value) {
    const long mode = ParseIntArg(value, 1, 5, "OperatingMode");
    config.Click(*ModeRadioButton(static_cast<OperatingMode>(mode)));
}

}  // namespace

void ApplyUserAction(WorkingConfig& config, const std::string& assignment) {
    const auto eq = assignment.find('=');
    if (eq == std::string::npos || eq == 0) throw UsageError("expected NAME=VALUE, not '" + assignment + "'");
    const std::string name = assignment.substr(0, eq);
    const std::string value = assignment.substr(eq + 1);

    if (name == "OperatingMode") return ClickMode(config, value);

    const auto id = FindField(name);
    if (!id) throw UsageError("unknown field '" + name + "'");
    const FieldPresentation& p = config.Presentation(*id);
    if (!p.visible) throw UsageError(name + " is not shown for this model or mode");
    if (!p.enabled) throw UsageError(name + " cannot be edited");

    const FieldSpec& entry = Spec(*id);
    switch (entry.kind) {
        case FieldKind::Number:
            if (!TypableNumberText(value))
                throw UsageError(name + " takes digits, signs and '.', not '" + value + "'");
            config.TypeText(*id, value);
            config.Leave(*id);
            break;
        case FieldKind::Choice: {
            const long last = static_cast<long>(config.Items(*id).size()) - 1;
            config.PickItem(*id, static_cast<int>(ParseIntArg(value, 0, last, name)));
            break;
        }
        case FieldKind::Flag:
            if (ParseIntArg(value, 0, 1, name) != config.Value(*id)) config.Click(*id);
            break;
        case FieldKind::Radio:
            if (ParseIntArg(value, 0, 1, name) == 1) {
                config.Click(*id);
            } else if (config.Checked(*id)) {
                throw UsageError(name + " cannot be unchecked by a click; choose another mode");
            }
            break;
    }
}

}  // namespace qx::cli
