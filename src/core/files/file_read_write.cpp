#include "files/file_read_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "app/unique_fd.h"

namespace qx {

namespace {

std::string SystemReason(int error) { return std::generic_category().message(error); }

[[noreturn]] void ThrowRead(const std::string& path, const std::string& reason) {
    throw EFileReadError("Cannot read " + path + ": " + reason);
}

}  // namespace

std::string ReadBoundedFile(const std::string& path, std::size_t maxSize) {
    // Non-blocking, so that opening a FIFO returns at once; only regular
    // files are read after that.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid()) ThrowRead(path, SystemReason(errno));
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) ThrowRead(path, SystemReason(errno));
    if (!S_ISREG(st.st_mode)) ThrowRead(path, "not a regular file");
    if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > maxSize) ThrowRead(path, "file too big");

    // Read in pieces and stop one byte beyond the bound, in case the file
    // grew since it was looked at.
    std::string content;
    char buffer[4096];
    while (content.size() <= maxSize) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowRead(path, SystemReason(errno));
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    if (content.size() > maxSize) ThrowRead(path, "file too big");
    return content;
}

std::string TFileReadWrite::ReadLine(const std::string& path) const {
    std::string content = ReadBoundedFile(path, kMaxConfigFileSize);
    const std::size_t end = content.find_first_of("\r\n");
    if (end != std::string::npos) content.resize(end);
    return content;
}

}  // namespace qx
