#pragma once
// --help and --version of the window program, answered before anything of
// the window is made, so that they work without a display.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qx::gui {

// When the arguments (after the program's name) ask for the help or the
// version, prints it to `out` and returns the exit code; otherwise nothing.
std::optional<int> AnswerInformationOptions(const std::string& programName, const std::vector<std::string>& arguments,
                                            std::ostream& out);

}  // namespace qx::gui
