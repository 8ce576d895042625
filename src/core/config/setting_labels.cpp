#include "config/setting_labels.h"

#include <algorithm>
#include <cctype>

namespace qx {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A choice's own item texts; the data rates differ between the models.
std::span<const std::string_view> ItemTexts(const SettingKey& setting, ModelFamily family) {
    return qx::ItemTexts(setting.field, ModelOf(family));
}

}  // namespace

std::vector<std::string> ValueLabels(const SettingKey& setting, ModelFamily family) {
    const auto texts = setting.labels.empty() ? ItemTexts(setting, family) : setting.labels;
    return {texts.begin(), texts.end()};
}

int MinValue(const SettingKey& setting, ModelFamily) {
    if (IsModeSetting(setting)) return static_cast<int>(OperatingMode::Transparent);
    return Spec(setting.field).kind == FieldKind::Number ? Spec(setting.field).min : 0;
}

int MaxValue(const SettingKey& setting, ModelFamily family) {
    const FieldSpec& entry = Spec(setting.field);
    switch (entry.kind) {
        case FieldKind::Number: return entry.max;
        case FieldKind::Radio: return static_cast<int>(OperatingMode::SingleConnect);
        case FieldKind::Flag: return 1;
        case FieldKind::Choice: break;
    }
    return static_cast<int>(ItemTexts(setting, family).size()) - 1;
}

std::optional<int> LabelValue(const SettingKey& setting, ModelFamily family, std::string_view text) {
    if (Spec(setting.field).kind == FieldKind::Number) return std::nullopt;
    const int first = MinValue(setting, family);
    const auto labels = ValueLabels(setting, family);
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (SameIgnoringCase(labels[i], text)) return first + static_cast<int>(i);
    if (Spec(setting.field).kind == FieldKind::Choice) {
        const auto items = ItemTexts(setting, family);
        for (std::size_t i = 0; i < items.size(); ++i)
            if (SameIgnoringCase(items[i], text)) return static_cast<int>(i);
    }
    return std::nullopt;
}

std::string ValueLabel(const SettingKey& setting, ModelFamily family, long value) {
    if (Spec(setting.field).kind == FieldKind::Number) return std::to_string(value);
    const auto labels = ValueLabels(setting, family);
    const long index = value - MinValue(setting, family);
    if (index < 0 || index >= static_cast<long>(labels.size())) return std::to_string(value);
    return labels[static_cast<std::size_t>(index)];
}

}  // namespace qx
