#include "serial/posix_port_holder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace qx {

namespace {

namespace fs = std::filesystem;

bool SameFile(const struct stat& a, const struct stat& b) {
    if (S_ISCHR(a.st_mode) && S_ISCHR(b.st_mode)) return a.st_rdev == b.st_rdev;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool HoldsOpen(const fs::path& fdFolder, const struct stat& device) {
    std::error_code ec;
    for (fs::directory_iterator it(fdFolder, ec), end; !ec && it != end; it.increment(ec)) {
        struct stat st {};
        if (::stat(it->path().c_str(), &st) == 0 && SameFile(st, device)) return true;
    }
    return false;
}

std::string CommandName(const fs::path& processFolder) {
    std::ifstream in(processFolder / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

}  // namespace

std::optional<PortHolder> FindPortHolder(const std::string& devicePath, const std::string& procRoot) {
    struct stat device {};
    if (::stat(devicePath.c_str(), &device) != 0) return std::nullopt;
    const std::string self = std::to_string(::getpid());
    std::error_code ec;
    for (fs::directory_iterator it(procRoot, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        const bool isProcess = !entry.empty() && std::all_of(entry.begin(), entry.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        });
        if (!isProcess || entry == self || !HoldsOpen(it->path() / "fd", device)) continue;
        return PortHolder{std::stoi(entry), CommandName(it->path())};
    }
    return std::nullopt;
}

}  // namespace qx
