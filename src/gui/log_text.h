#pragma once
// The communication log as the memo shows it. The core keeps each entry
// with the module's own line ends (CR LF pairs, stray CRs, an entry's
// closing CR and CR LF); on screen every CR, LF or CR LF ends a line and
// empty lines are left out, so one reply reads as its lines and nothing
// else.

#include <QString>
#include <string_view>

namespace qx::gui {

// Each non-empty line followed by "\n"; empty text for an empty log.
QString CleanLogText(std::string_view log);

}  // namespace qx::gui
