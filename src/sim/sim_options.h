#pragma once
// The command line of qxsim.

#include "sim/faults.h"
#include "sim/line_settings.h"
#include "sim/module_settings.h"

#include <optional>
#include <string>
#include <vector>

namespace qx::sim {

struct SimOptions {
    std::string link;
    ModelInfo model;
    std::optional<std::string> statePath;
    bool online = false;
    std::optional<LineSettings> line;  // from --baud and --format
    std::optional<Millis> guard;
    FaultSet faults;
    bool verbose = false;
    bool help = false;
    bool version = false;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

SimOptions ParseOptions(const std::vector<std::string>& args);
std::string UsageText();
// The faults --fault takes, as the usage and the help list them, each line
// after the first indented by `indent`.
std::string IndentedFaultNames(const std::string& indent);

}  // namespace qx::sim
