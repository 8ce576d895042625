#include "cli/field_output.h"

namespace qx::cli {

namespace {

template <typename Emit>
void ForEachValue(const WorkingConfig& config, Emit emit) {
    for (const FieldSpec& entry : AllFields()) emit(entry.name, config.Value(entry.id));
    emit("OperatingMode", static_cast<long>(config.Mode()));
    emit("PlcModeActive", config.PlcModeActive() ? 1L : 0L);
}

}  // namespace

void PrintFields(const WorkingConfig& config, std::ostream& out) {
    ForEachValue(config, [&](std::string_view name, long value) { out << name << '=' << value << '\n'; });
}

void PrintFieldsJson(const WorkingConfig& config, std::ostream& out) {
    // Field names are plain identifiers: nothing to escape.
    const char* separator = "{";
    ForEachValue(config, [&](std::string_view name, long value) {
        out << separator << "\n  \"" << name << "\": " << value;
        separator = ",";
    });
    out << "\n}\n";
}

void PrintFields(const WorkingConfig& config, std::ostream& out, bool json) {
    if (json)
        PrintFieldsJson(config, out);
    else
        PrintFields(config, out);
}

}  // namespace qx::cli
