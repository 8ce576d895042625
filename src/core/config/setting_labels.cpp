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

constexpr std::string_view kParityLetters = "NZOE";

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

std::optional<SerialFormat> ParseSerialFormat(std::string_view text) {
    if (text.size() != 5 || text[1] != '-' || text[3] != '-') return std::nullopt;
    const auto parity = kParityLetters.find(static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
    if (parity == std::string_view::npos || (text[2] != '7' && text[2] != '8') || (text[4] != '1' && text[4] != '2'))
        return std::nullopt;
    return SerialFormat{static_cast<int>(parity), text[2] - '7', text[4] - '1'};
}

std::optional<std::string> SerialFormatLabel(const SerialFormat& format) {
    if (format.parity < 0 || format.parity > 3 || format.data < 0 || format.data > 1 || format.stop < 0 ||
        format.stop > 1)
        return std::nullopt;
    return std::string{kParityLetters[static_cast<std::size_t>(format.parity)], '-', static_cast<char>('7' + format.data),
                       '-', static_cast<char>('1' + format.stop)};
}

}  // namespace qx
