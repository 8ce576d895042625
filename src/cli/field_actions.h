#pragma once
// The user's own actions on the working configuration, written NAME=VALUE
// (NAME and the labels a VALUE may be: setting_names.h):
//   number      VALUE is typed as its text, then the field is left
//   choice      the user picks the item (drop-down pick or radio group click)
//   check box   set to VALUE (on/off, 1/0) by a click
//   mode        its radio button is clicked ("mode=single-connect",
//               "OperatingMode=5"); a mode button's own name takes 1
//   serial.format=N-8-1   picks parity, data bits and stop bits in turn
// Anything that a user could not do this way is a usage error: a setting
// the window hides in the current mode or for the model, or one the module
// only reports (s9, s12, s13).
//
// A setting the module only reports may be given with the mark that
// `qxcfg get` puts before it ("read-only:s9=71"): it is then skipped with a
// note, so that what get prints can be given back whole.
//
// A number that does not fit its field as given (outside the range, not a
// multiple of the steps the module keeps it in, not a whole number: see
// number_fit.h) is applied as the window and the module would take it,
// with a warning naming the setting, the value given and the value
// applied; with `strict` it is a usage error instead and nothing is
// applied.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/number_fit.h"
#include "config/setting_keys.h"
#include "config/working_config.h"

namespace qx::cli {

struct RangePolicy {
    std::ostream& warnings;
    bool strict = false;
};

// The mark of a setting that describes the module rather than configures it.
inline constexpr std::string_view kReportedMark = "read-only:";

void ApplyUserAction(WorkingConfig& config, const std::string& assignment, const RangePolicy& policy);

// The usage error ApplyUserAction would give for the name or the form of
// the value, found without a configuration: so that a command working on a
// module refuses a mistyped setting, one the model never shows, or (with
// `strict`) a number that does not fit the field's range in the table
// before the module is woken. What depends on the configuration (the range
// of the moment, the mode the setting is shown in) is left to
// ApplyUserAction.
void CheckUserAction(const std::string& assignment, const ModelRecord& model, bool strict);

// Why the user cannot set `setting` through `field` (named `name`) now,
// as the window would not let them: the model has no such setting, the
// module only reports it, the current mode hides it, the field is hidden
// or disabled. None when it can be set.
std::optional<std::string> WhyNotSettable(const WorkingConfig& config, const SettingKey& setting, FieldId field,
                                          const std::string& name);

// The warning, or with `strict` the usage error, for a number `given` for
// `setting` (under `name`) that did not fit as given.
void ReportMisfit(const RangePolicy& policy, const SettingKey& setting, const std::string& name,
                  const std::string& given, const NumberFit& fit, int min, int max);

}  // namespace qx::cli
