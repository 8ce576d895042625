#pragma once
// qxcfg prints fields as NAME=VALUE lines; tests read them back as a map.

#include <map>
#include <sstream>
#include <string>

namespace qx::test {

inline std::map<std::string, std::string> ParseFieldLines(const std::string& out) {
    std::map<std::string, std::string> fields;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return fields;
}

}  // namespace qx::test
