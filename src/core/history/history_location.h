#pragma once
// Where the module history lives unless the user names another file:
// QX_HISTORY when it is set, else history.sqlite3 in the qxconfig folder
// of the user's data folder ($XDG_DATA_HOME, by default ~/.local/share).

#include <functional>
#include <string>

namespace qx {

// Reads an environment variable: null when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;

// The file; EHistoryError when the environment names no place for it
// (neither QX_HISTORY, XDG_DATA_HOME nor HOME is set).
std::string DefaultHistoryPath(const EnvironmentLookup& environment);

// The same from this process's environment.
std::string DefaultHistoryPath();

}  // namespace qx
