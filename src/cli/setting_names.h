#pragma once
// How qxcfg reads the NAME of a NAME=VALUE and the VALUE of a labelled
// setting. A NAME is a setting's readable key or alias ("serial.baud",
// "radio.packet-size"), "serial.format", or a control name ("Serial_Baud",
// "OperatingMode" for the mode). A choice, check box or the mode takes a
// label ("9600", "on", "auto-connect-master", case does not matter) or an
// item number; under a readable key a label is read first, under a control
// name an item number is (as control names have always taken them).

#include <optional>
#include <string>

#include "app/model_variant.h"
#include "config/setting_labels.h"

namespace qx::cli {

struct SettingName {
    const SettingKey* setting = nullptr;  // nullptr for "serial.format"
    FieldId field{};                      // the field named (a mirror's own control name names the mirror)
    bool byControlName = false;
    bool wholeMode = false;  // "mode" or "OperatingMode", not one mode button by its name
};

// The setting a name names; a UsageError for an unknown name.
SettingName ResolveSettingName(const std::string& name);

// A value given for a choice, check box or the mode (see setting_keys.h);
// a UsageError naming `name` and the labels when it is none of them.
long ParseLabelledValue(const SettingName& named, ModelFamily family, const std::string& name,
                        const std::string& text);

// The three Serial_Parity/Data/Stop items of "N-8-1"; a UsageError otherwise.
SerialFormat ParseSerialFormatArg(const std::string& text);

}  // namespace qx::cli
