#pragma once
// The values of a setting as text: the labels of choices, check boxes and
// the mode ("9600", "N-8-1", "on", "auto-connect-master"), both ways.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/model_variant.h"
#include "config/module_serial.h"
#include "config/setting_keys.h"

namespace qx {

// The label of each value, in value order: a choice's labels (item 0
// first), "off" and "on" for a check box, the five modes for "mode"
// (Transparent first). Numbers have none.
std::vector<std::string> ValueLabels(const SettingKey& setting, ModelFamily family);

// The value a label stands for: the labels above and a choice's own item
// texts, compared without regard to case. None when the text is neither.
std::optional<int> LabelValue(const SettingKey& setting, ModelFamily family, std::string_view text);

// The value that ValueLabels names first for `value`; for a number its
// decimal text.
std::string ValueLabel(const SettingKey& setting, ModelFamily family, long value);

// The lowest and highest value (item index, 0..1, 1..5 for the mode).
int MinValue(const SettingKey& setting, ModelFamily family);
int MaxValue(const SettingKey& setting, ModelFamily family);

}  // namespace qx
