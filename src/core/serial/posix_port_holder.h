#pragma once
// Which process holds a device open, as Linux shows it under /proc/PID/fd.
// Only processes this user may look into are seen (all of them as root), so
// "none" means "none that the system would tell us about".

#include <optional>
#include <string>

namespace qx {

struct PortHolder {
    int pid = 0;
    std::string name;  // the process's command name, e.g. "ModemManager"
};

// Another process than this one that has `devicePath` open; none when no
// such process is seen.
std::optional<PortHolder> FindPortHolder(const std::string& devicePath, const std::string& procRoot = "/proc");

}  // namespace qx
