#pragma once
// The rows of "Compare with Module" and "Verify after Configure": each
// setting in which the window and the module differ, as the window shows
// it (the field's caption, the item's text, ticked or not, the number with
// its unit), with the module's own codes kept for a tool tip. One command
// slot can give several rows (the serial format's three drop-downs), and
// the two slots of the operating mode give one row between them.

#include <QString>
#include <vector>

#include "config/config_difference.h"
#include "config/working_config.h"

namespace qx::gui {

struct DifferenceRow {
    QString setting;  // "Operating Mode", "Baud Rate"
    QString window;   // as the window shows it: "Auto-Connect Master"
    QString module;
    QString codes;    // the lines each side writes: "window AT&L2, module AT&L0"
};

// `differences` as CompareConfigurations gives them for `window` (first)
// and `module` (second).
std::vector<DifferenceRow> DifferenceRows(const std::vector<SettingDifference>& differences,
                                          const WorkingConfig& window, const WorkingConfig& module);

}  // namespace qx::gui
