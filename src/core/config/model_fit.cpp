#include "config/model_fit.h"

#include "config/command_slots.h"
#include "config/setting_keys.h"

namespace qx {

namespace {

// What a configuration of this model can hold in a setting it does not
// have: the field's default, or what a listing without the setting reads.
bool ValueOfThisModel(FieldId field, long value) {
    if (value == Spec(field).defaultValue) return true;
    const CommandSlot* slot = SlotCarrying(field);
    return slot && slot->missing.kind == WhenMissing::Fallback && value == slot->missing.value;
}

// The model, other than the running one, that has `feature`.
const ModelRecord* OtherModelWith(const ModelRecord& running, ModelFeature feature) {
    for (const ModelRecord* model : kModels)
        if (model != &running && Has(*model, feature)) return model;
    return nullptr;
}

}  // namespace

std::vector<std::string> FitToModel(WorkingConfig& config) {
    std::vector<std::string> changed;
    const ModelRecord* origin = nullptr;
    for (const SettingKey& setting : AllSettings()) {
        const FieldId field = setting.field;
        if (Has(config.Model(), setting.needs) || Spec(field).kind != FieldKind::Number) continue;
        const long value = config.Value(field);
        if (ValueOfThisModel(field, value)) continue;
        config.SetNumber(field, Spec(field).defaultValue);
        if (!origin) origin = OtherModelWith(config.Model(), setting.needs);
        changed.push_back(std::string(Spec(field).caption) + ": " + std::to_string(value) + ", now " +
                          std::to_string(config.Value(field)) + " (the " + std::string(config.Model().productName) +
                          " has no such setting)");
    }
    const int rate = config.Field(FieldId::Radio_DataRate).choice;
    if (origin && rate >= 0 && static_cast<std::size_t>(rate) < origin->radioDataRates.size()) {
        const std::string_view theirs = origin->radioDataRates[static_cast<std::size_t>(rate)];
        const std::string_view ours = config.Model().radioDataRates[static_cast<std::size_t>(rate)];
        if (theirs != ours)
            changed.push_back(std::string(SlotCarrying(FieldId::Radio_DataRate)->caption) + ": " + std::string(theirs) +
                              " on the " + std::string(origin->productName) + ", now " + std::string(ours));
    }
    return changed;
}

std::string ModelFitWarning(const WorkingConfig& config, const std::vector<std::string>& changed) {
    if (changed.empty()) return {};
    std::string text = "This file was made for another model than the " + std::string(config.Model().productName) +
                       ". These settings were changed:";
    for (const std::string& line : changed) text += "\r\n" + line;
    return text;
}

}  // namespace qx
