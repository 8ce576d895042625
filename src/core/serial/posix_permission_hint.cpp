#include "serial/posix_permission_hint.h"

#include <grp.h>
#include <sys/stat.h>

#include <vector>

namespace qx {

namespace {

std::string OwningGroup(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    std::vector<char> buffer(4096);
    group g{};
    group* found = nullptr;
    if (::getgrgid_r(st.st_gid, &g, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return {};
    return found->gr_name;
}

}  // namespace

std::string PermissionDeniedHint(const std::string& devicePath) {
    std::string group = OwningGroup(devicePath);
    if (group.empty() || group == "root") group = "dialout";
    return "Permission denied on " + devicePath + ": add your user to the group '" + group +
           "' (sudo usermod -aG " + group + " $USER), then log out and in again.";
}

}  // namespace qx
