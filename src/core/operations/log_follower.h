#pragma once
// Follows the workspace's communication log entry by entry: while it lives,
// every text appended to the log reaches `onEntry` as one entry, without
// the line end that ends it in the log. A log that is cleared is followed
// from its new start.

#include <functional>
#include <string>

#include "operations/workspace.h"

namespace qx {

class LogFollower {
public:
    LogFollower(Workspace& workspace, std::function<void(const std::string& entry)> onEntry);
    ~LogFollower();
    LogFollower(const LogFollower&) = delete;
    LogFollower& operator=(const LogFollower&) = delete;

private:
    Workspace& workspace_;
    std::function<void(const std::string&)> onEntry_;
    std::size_t seen_ = 0;
    int token_ = 0;
};

}  // namespace qx
