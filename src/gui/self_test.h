#pragma once
// What --selftest prints: the started window's state, one "name=value" line
// each, so that a script can check a build (caption, model, S-register page,
// status panels, operating mode).

#include <string>

namespace qx::gui {

class TMainForm;

std::string DescribeStartedWindow(const TMainForm& form);

}  // namespace qx::gui
