#include "history/history_location.h"

#include <cstdlib>

#include "history/history_errors.h"

namespace qx {

namespace {

std::string Variable(const EnvironmentLookup& environment, const char* name) {
    const char* value = environment(name);
    return value ? value : "";
}

}  // namespace

std::string DefaultHistoryPath(const EnvironmentLookup& environment) {
    if (std::string chosen = Variable(environment, "QX_HISTORY"); !chosen.empty()) return chosen;
    // A relative XDG_DATA_HOME is to be ignored, as if it were not set.
    std::string data = Variable(environment, "XDG_DATA_HOME");
    if (data.empty() || data.front() != '/') {
        const std::string home = Variable(environment, "HOME");
        if (home.empty()) throw EHistoryError("no place for the history: neither XDG_DATA_HOME nor HOME is set");
        data = home + "/.local/share";
    }
    return data + "/qxconfig/history.sqlite3";
}

std::string DefaultHistoryPath() {
    return DefaultHistoryPath([](const char* name) { return std::getenv(name); });
}

}  // namespace qx
