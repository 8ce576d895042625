#pragma once
// A configuration file names no model, so a file made for the other model
// loads like any other. Where it holds a setting the running model does not
// have (S21 on the basic model), the value shows where it came from: a
// model's own configurations only ever hold such a setting at its default
// or at what a read of that model's module gives for it. Any other value is
// put back to the default, and the user is told which settings changed.
// Once a file shows itself to be the other model's, its radio data rate is
// known to mean that model's rate: where the running model offers another
// rate in that place, that is named too.

#include <string>
#include <vector>

#include "config/working_config.h"

namespace qx {

// Puts back every setting the model does not have that holds a value no
// configuration of this model would; one line per setting changed, e.g.
// "S21 Radio Message Signature: 3, now 1 (the QX5T has no such setting)".
// Empty when nothing changed.
std::vector<std::string> FitToModel(WorkingConfig& config);

// The warning that names those lines; empty for none.
std::string ModelFitWarning(const WorkingConfig& config, const std::vector<std::string>& changed);

}  // namespace qx
