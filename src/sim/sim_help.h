#pragma once
// What qxsim --help prints (and its manual page is made from).

#include <string>

namespace qx::sim {

std::string HelpText();

}  // namespace qx::sim
