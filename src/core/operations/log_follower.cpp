#include "operations/log_follower.h"

namespace qx {

LogFollower::LogFollower(Workspace& workspace, std::function<void(const std::string& entry)> onEntry)
    : workspace_(workspace), onEntry_(std::move(onEntry)), seen_(workspace.Log().size()) {
    token_ = workspace_.Subscribe([this] {
        const std::string& log = workspace_.Log();
        if (log.size() < seen_) seen_ = 0;  // the log was cleared
        if (log.size() == seen_) return;
        std::string entry = log.substr(seen_);
        seen_ = log.size();
        if (entry.ends_with("\r\n")) entry.resize(entry.size() - 2);
        onEntry_(entry);
    });
}

LogFollower::~LogFollower() { workspace_.Unsubscribe(token_); }

}  // namespace qx
