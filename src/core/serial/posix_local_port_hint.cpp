#include "serial/local_port_hint.h"

#include "serial/posix_permission_hint.h"
#include "serial/posix_port_holder.h"

namespace qx {

std::string LocalPortHint(OpenStatus status, const std::string& path, const std::string& portsHint) {
    switch (status) {
        case OpenStatus::NoSuchDevice:
            return "No such device: " + path + (portsHint.empty() ? "" : " (see: " + portsHint + ")");
        case OpenStatus::InUse:
            if (const auto holder = FindPortHolder(path))
                return "In use by another program: " + holder->name + " (process " + std::to_string(holder->pid) +
                       ").";
            return "In use by another program.";
        case OpenStatus::PermissionDenied: return PermissionDeniedHint(path);
        default: return {};
    }
}

}  // namespace qx
