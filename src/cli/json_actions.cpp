#include "cli/json_actions.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "app/utf8_path.h"
#include "cli/cli_workspace.h"
#include "cli/json_object.h"
#include "cli/setting_names.h"
#include "cli/usage_error.h"
#include "config/integer_text.h"
#include "config/setting_labels.h"
#include "config/stored_values.h"
#include "files/file_errors.h"

namespace qx::cli {

namespace {

constexpr std::size_t kMaxJsonBytes = 1 << 20;

// The members a module command prints beside the settings ("port",
// "result", "exit", "text"; "error" with a failure): they describe the run
// that read the settings.
bool DescribesTheRun(std::string_view key) {
    return key == "port" || key == "result" || key == "exit" || key == "error" || key == "text";
}

class JsonApplier {
public:
    JsonApplier(const WorkingConfig& config, const RangePolicy& policy) : config_(config), policy_(policy) {}

    void Take(const JsonMember& member) {
        const std::string& key = member.key;
        if (key == "model") {
            const std::string product(config_.Model().productName);
            if (member.text != product)
                Fail("the object is for the " + member.text + ", not the " + product + " (qxcfg --model)");
            return;
        }
        if (key == "status") {
            if (member.kind != JsonMember::Kind::String) Fail("\"status\" takes the status line as a string");
            return;
        }
        if (DescribesTheRun(key)) {
            if (key == "result" && member.text != "ok")
                Fail("the object is of a command whose result was \"" + member.text + "\": it holds no settings");
            return;
        }
        const SettingName named = ResolveSettingName(key);
        if (!named.setting) {
            const SerialFormat format = ParseSerialFormatArg(member.text);
            Add(SettingOf(FieldId::Serial_Parity), format.parity, key);
            Add(SettingOf(FieldId::Serial_Data), format.data, key);
            Add(SettingOf(FieldId::Serial_Stop), format.stop, key);
            return;
        }
        const SettingKey& setting = *named.setting;
        if (Spec(named.field).kind == FieldKind::Radio && !named.wholeMode) return TakeModeButton(named.field, member);
        long value;
        if (Spec(setting.field).kind == FieldKind::Number) {
            const int min = MinValue(setting, config_.Model().family), max = MaxValue(setting, config_.Model().family);
            const NumberFit fit = FitNumber(member.text, min, max, setting.step);
            if (fit.kind == NumberFit::Kind::NotWhole) Fail("\"" + key + "\" takes a whole number, not '" + member.text + "'");
            // What the module only reports is not applied, but must still be what it says.
            if (setting.readOnly) return;
            if (fit.kind != NumberFit::Kind::Fits) ReportMisfit(policy_, setting, key, member.text, fit, min, max);
            value = fit.applied;
        } else {
            value = ParseLabelledValue(named, config_.Model().family, "\"" + key + "\"", member.text);
        }
        if (!Has(config_.Model(), setting.needs) && value != 0 && Spec(setting.field).kind == FieldKind::Flag)
            Fail("\"" + key + "\": the " + std::string(config_.Model().productName) + " has no " +
                 std::string(Spec(setting.field).caption));
        Add(setting, value, key);
    }

    const StoredValues& Values() const { return values_; }

private:
    [[noreturn]] static void Fail(const std::string& what) { throw UsageError(what); }

    // A mode button by its own name: 1 chooses its mode, 0 chooses nothing.
    void TakeModeButton(FieldId button, const JsonMember& member) {
        const auto checked = ParseInteger(member.text);
        if (!checked || (*checked != 0 && *checked != 1)) Fail("\"" + member.key + "\" takes 0 or 1");
        if (*checked == 0) return;
        for (int mode = 1; mode <= 5; ++mode)
            if (ModeRadioButton(static_cast<OperatingMode>(mode)) == button) Add(SettingOf(button), mode, member.key);
    }

    void Add(const SettingKey& setting, long value, const std::string& key) {
        if (!values_.Add(setting, value))
            Fail("\"" + key + "\" gives " + std::string(setting.key) + " a second time");
    }

    const WorkingConfig& config_;
    const RangePolicy& policy_;
    StoredValues values_;
};

std::string ReadBounded(std::istream& in, const std::string& path) {
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxJsonBytes) throw EFileReadError("Cannot read " + path + ": larger than 1 MiB");
    }
    if (in.bad()) throw EFileReadError("Cannot read " + path + ": " + std::strerror(errno));
    return text;
}

}  // namespace

void ApplyJsonSettings(WorkingConfig& config, std::string_view json, const std::string& source,
                       const RangePolicy& policy) {
    std::vector<JsonMember> members;
    try {
        members = ParseJsonObject(json);
    } catch (const JsonError& e) {
        throw UsageError("--from-json " + source + ": " + e.what());
    }
    JsonApplier applier(config, policy);
    for (const JsonMember& member : members) {
        try {
            applier.Take(member);
        } catch (const UsageError& e) {
            throw UsageError("--from-json " + source + ": " + e.what());
        }
    }
    // A number the table's range takes may still be beyond the field's
    // range of the moment (the unit address with Fast Operation).
    for (const ClampedValue& c : applier.Values().ApplyTo(config)) {
        const WorkingConfig::FieldState& field = config.Field(c.setting->field);
        ReportMisfit(policy, *c.setting, std::string(c.setting->key), std::to_string(c.given),
                     NumberFit{NumberFit::Kind::OutOfRange, c.applied, {}}, field.min, field.max);
    }
}

std::string ReadJsonFile(const std::string& path) {
    if (path == "-") return ReadBounded(std::cin, "standard input");
    RequireFile(path);
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in) throw EFileReadError("Cannot read " + path + ": " + std::strerror(errno));
    return ReadBounded(in, path);
}

}  // namespace qx::cli
