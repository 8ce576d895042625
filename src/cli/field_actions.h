#pragma once
// The user's own actions on the working configuration, written NAME=VALUE
// (NAME and the labels a VALUE may be: setting_names.h):
//   number      VALUE is typed as its text, then the field is left
//   choice      the user picks the item (drop-down pick or radio group click)
//   check box   set to VALUE (on/off, 1/0) by a click
//   mode        its radio button is clicked ("mode=single-connect",
//               "OperatingMode=5"); a mode button's own name takes 1
//   serial.format=N-8-1   picks parity, data bits and stop bits in turn
// Anything that a user could not do this way is a usage error.
//
// A number outside its field's range (or a text that is no whole number,
// which reads as the minimum) is applied as the window applies it, with a
// warning naming the setting, the value given and the value applied; with
// `strict` it is a usage error instead and nothing is applied.

#include <ostream>
#include <string>

#include "config/working_config.h"

namespace qx::cli {

struct RangePolicy {
    std::ostream& warnings;
    bool strict = false;
};

void ApplyUserAction(WorkingConfig& config, const std::string& assignment, const RangePolicy& policy);

// The usage error ApplyUserAction would give for the name or the form of
// the value, found without a configuration: so that a command working on a
// module refuses a mistyped setting before the module is woken. What
// depends on the configuration (the range, whether the setting is shown)
// is left to ApplyUserAction.
void CheckUserAction(const std::string& assignment, ModelFamily family);

// The warning, or with `strict` the usage error, for a value that did not
// fit: "NAME=GIVEN is outside MIN..MAX; APPLIED applied".
void ReportOutOfRange(const RangePolicy& policy, const std::string& name, const std::string& given, int min,
                      int max, long applied);

}  // namespace qx::cli
