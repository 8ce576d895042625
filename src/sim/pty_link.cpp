#include "sim/pty_link.h"

#include "sim/host_line.h"
#include "sim/sim_error.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace qx::sim {
namespace {

std::string ReadLinkTarget(const std::string& path) {
    std::array<char, 4096> buffer{};
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size() - 1);
    if (n < 0) return {};
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

}  // namespace

PtyLink::PtyLink(std::string linkPath, const LineSettings& initial) : linkPath_(std::move(linkPath)) {
    master_ = UniqueFd(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!master_.Valid()) ThrowSystemError("posix_openpt");
    if (::grantpt(master_.Get()) != 0) ThrowSystemError("grantpt");
    if (::unlockpt(master_.Get()) != 0) ThrowSystemError("unlockpt");
    std::array<char, 256> name{};
    if (::ptsname_r(master_.Get(), name.data(), name.size()) != 0) ThrowSystemError("ptsname_r");
    slavePath_ = name.data();

    slave_ = UniqueFd(::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!slave_.Valid()) ThrowSystemError("opening " + slavePath_);
    SetRawLine(slave_.Get(), initial);

    const int flags = ::fcntl(master_.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(master_.Get(), F_SETFL, flags | O_NONBLOCK) != 0) ThrowSystemError("fcntl");

    struct stat st {};
    if (::lstat(linkPath_.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) throw SimError(linkPath_ + " exists and is not a symbolic link");
        if (::unlink(linkPath_.c_str()) != 0) ThrowSystemError("removing the stale link " + linkPath_);
    }
    if (::symlink(slavePath_.c_str(), linkPath_.c_str()) != 0) ThrowSystemError("creating the link " + linkPath_);
}

PtyLink::~PtyLink() {
    // Only our own link: another simulator may have taken the path over.
    if (ReadLinkTarget(linkPath_) == slavePath_) ::unlink(linkPath_.c_str());
}

}  // namespace qx::sim
