#include "cli/field_actions.h"

#include "cli/option_table.h"
#include "cli/setting_names.h"
#include "cli/usage_error.h"
#include "config/setting_labels.h"

namespace qx::cli {

namespace {

// While typing, a number field takes only digits, signs and the decimal point.
void RequireTypableNumber(const std::string& name, const std::string& text) {
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'))
            throw UsageError(name + " takes digits, signs and '.', not '" + text + "'");
}

std::string ModeLabel(const ModelRecord& model, OperatingMode mode) {
    return ValueLabel(AllSettings().front(), model.family, static_cast<long>(mode));
}

// What the model can never show: a setting of the other model, or one the
// module only reports.
std::optional<std::string> ModelCannotShow(const SettingKey& setting, const ModelRecord& model,
                                           const std::string& name) {
    if (setting.readOnly)
        return name + " is reported by the module and cannot be set (qxcfg get marks it " + std::string(kReportedMark) +
               ")";
    if (!Has(model, setting.needs)) return name + ": the " + std::string(model.productName) + " has no such setting";
    return std::nullopt;
}

void CheckEditable(const WorkingConfig& config, const SettingName& named, const std::string& name) {
    if (const auto why = WhyNotSettable(config, *named.setting, named.field, name)) throw UsageError(*why);
}

void TypeNumber(WorkingConfig& config, FieldId field, const std::string& name, const std::string& text,
                const RangePolicy& policy) {
    RequireTypableNumber(name, text);
    const SettingKey& setting = SettingOf(field);
    const int min = config.Field(field).min, max = config.Field(field).max;
    NumberFit fit = FitNumber(text, min, max, setting.step);
    if (fit.kind != NumberFit::Kind::Fits && policy.strict) ReportMisfit(policy, setting, name, text, fit, min, max);
    config.TypeText(field, fit.typed);
    config.Leave(field);
    if (fit.kind == NumberFit::Kind::Fits) return;
    // What the exit rule and the clamp made of it.
    if (fit.kind != NumberFit::Kind::OffStep) fit.applied = config.Value(field);
    ReportMisfit(policy, setting, name, text, fit, min, max);
}

void PickSerialFormat(WorkingConfig& config, const std::string& text) {
    const SerialFormat format = ParseSerialFormatArg(text);
    config.PickItem(FieldId::Serial_Parity, format.parity);
    config.PickItem(FieldId::Serial_Data, format.data);
    config.PickItem(FieldId::Serial_Stop, format.stop);
}

struct Assignment {
    std::string name;
    std::string value;
    bool reported = false;  // given with the mark of a setting the module reports
};

Assignment SplitAssignment(const std::string& assignment) {
    Assignment split;
    std::string_view rest = assignment;
    if (rest.starts_with(kReportedMark)) {
        split.reported = true;
        rest.remove_prefix(kReportedMark.size());
    }
    const auto eq = rest.find('=');
    if (eq == std::string_view::npos || eq == 0) throw UsageError("expected NAME=VALUE, not '" + assignment + "'");
    split.name = rest.substr(0, eq);
    split.value = rest.substr(eq + 1);
    return split;
}

// A number that does not fit, refused under --strict.
UsageError StrictRefusal(const SettingKey& setting, const std::string& name, const std::string& given,
                         const NumberFit& fit, int min, int max) {
    return UsageError(MisfitText(name, given, fit, min, max, setting.step, setting.unit) + " (--strict)");
}

// "read-only:s9=71": a setting the module reports, which nothing sets.
void CheckReported(const Assignment& a) {
    const SettingName named = ResolveSettingName(a.name);
    if (!named.setting || !named.setting->readOnly)
        throw UsageError(a.name + " is a setting, not something the module reports: give " + a.name + "=" + a.value);
}

}  // namespace

std::optional<std::string> WhyNotSettable(const WorkingConfig& config, const SettingKey& setting, FieldId field,
                                          const std::string& name) {
    if (IsModeSetting(setting)) return std::nullopt;
    if (auto why = ModelCannotShow(setting, config.Model(), name)) return why;
    if (!AppliesIn(setting.modes, config.Mode())) {
        std::string shownIn;
        for (int mode = 1; mode <= 5; ++mode)
            if (AppliesIn(setting.modes, static_cast<OperatingMode>(mode)))
                shownIn += (shownIn.empty() ? "" : ", ") + ModeLabel(config.Model(), static_cast<OperatingMode>(mode));
        return name + " is hidden in " + ModeLabel(config.Model(), config.Mode()) + " mode (it is shown in " + shownIn +
               ")";
    }
    const FieldPresentation& p = config.Field(field).presentation;
    if (!p.visible) return name + " is not shown for this model or mode";
    if (!p.enabled) return name + " cannot be edited";
    return std::nullopt;
}

void ReportMisfit(const RangePolicy& policy, const SettingKey& setting, const std::string& name,
                  const std::string& given, const NumberFit& fit, int min, int max) {
    if (policy.strict) throw StrictRefusal(setting, name, given, fit, min, max);
    policy.warnings << "qxcfg: warning: " << MisfitText(name, given, fit, min, max, setting.step, setting.unit) << "; "
                    << fit.applied << " applied\n";
}

void CheckUserAction(const std::string& assignment, const ModelRecord& model, bool strict) {
    const Assignment a = SplitAssignment(assignment);
    if (a.reported) return CheckReported(a);
    const SettingName named = ResolveSettingName(a.name);
    if (!named.setting) {
        ParseSerialFormatArg(a.value);
        return;
    }
    if (named.wholeMode) {
        ParseLabelledValue(named, model.family, a.name, a.value);
        return;
    }
    if (const auto why = ModelCannotShow(*named.setting, model, a.name); why && !named.wholeMode)
        throw UsageError(*why);
    switch (Spec(named.field).kind) {
        case FieldKind::Number: {
            RequireTypableNumber(a.name, a.value);
            if (!strict) break;
            const SettingKey& setting = *named.setting;
            const int min = Spec(named.field).min, max = Spec(named.field).max;
            const NumberFit fit = FitNumber(a.value, min, max, setting.step);
            if (fit.kind != NumberFit::Kind::Fits) throw StrictRefusal(setting, a.name, a.value, fit, min, max);
            break;
        }
        case FieldKind::Choice:
        case FieldKind::Flag: ParseLabelledValue(named, model.family, a.name, a.value); break;
        case FieldKind::Radio: ParseIntArg(a.value, 0, 1, a.name); break;
    }
}

void ApplyUserAction(WorkingConfig& config, const std::string& assignment, const RangePolicy& policy) {
    const Assignment a = SplitAssignment(assignment);
    if (a.reported) {
        CheckReported(a);
        policy.warnings << "qxcfg: note: " << a.name << " is what the module reports; not set\n";
        return;
    }
    const std::string& name = a.name;
    const std::string& value = a.value;

    const SettingName named = ResolveSettingName(name);
    if (!named.setting) return PickSerialFormat(config, value);
    const FieldId field = named.field;

    if (named.wholeMode) {
        // Click the chosen mode's radio button.
        const auto mode = static_cast<OperatingMode>(ParseLabelledValue(named, config.Model().family, name, value));
        return config.Click(*ModeRadioButton(mode));
    }
    if (Spec(field).kind != FieldKind::Radio) CheckEditable(config, named, name);
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
