#include "files/file_read_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

namespace qx {

namespace {

std::string SystemReason(int error) { return std::generic_category().message(error); }

// Owns one open file descriptor.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor& operator=(FileDescriptor&&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // Closes now and reports the result (a failed close can mean lost data).
    int Close() {
        if (fd_ < 0) return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Removes the temporary file unless the rename has taken it over.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Set(std::string path) { path_ = std::move(path); }
    const std::string& Path() const { return path_; }
    void Release() { path_.clear(); }

private:
    std::string path_;
};

[[noreturn]] void ThrowWrite(const std::string& path, int error) {
    throw EFileWriteError("Cannot save " + path + ": " + SystemReason(error));
}

[[noreturn]] void ThrowRead(const std::string& path, const std::string& reason) {
    throw EFileReadError("Cannot read " + path + ": " + reason);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Saving through a symbolic link replaces the file it points to, not the link.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code ec;
    const auto resolved = std::filesystem::canonical(path, ec);
    return ec ? path : resolved.string();
}

// A new, exclusively created file next to the target. A short name, so
// that a target name near the length limit still leaves room for it.
FileDescriptor CreateTemporaryNear(const std::string& folder, TemporaryFile& temporary, int& error) {
    std::random_device entropy;
    std::mt19937 gen(entropy());
    constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = folder + "/.qxsave-";
        for (int i = 0; i < 8; ++i) name += kAlphabet[pick(gen)];
        FileDescriptor fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (fd.IsOpen()) {
            temporary.Set(std::move(name));
            return fd;
        }
        error = errno;
        if (error != EEXIST) return FileDescriptor();
    }
    return FileDescriptor();
}

bool WriteAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

void ReplaceFileContent(const std::string& path, const std::string& content) {
    if (path.empty()) ThrowWrite(path, ENOENT);
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);

    TemporaryFile temporary;
    int error = 0;
    FileDescriptor fd = CreateTemporaryNear(folder, temporary, error);
    if (!fd.IsOpen()) ThrowWrite(path, error);

    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd.Get(), old.st_mode & 07777);

    if (!WriteAll(fd.Get(), content)) ThrowWrite(path, errno);
    if (::fsync(fd.Get()) != 0) ThrowWrite(path, errno);
    if (fd.Close() != 0) ThrowWrite(path, errno);
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0) ThrowWrite(path, errno);
    temporary.Release();

    // Make the rename itself durable; the content is already safe, so a
    // folder that cannot be synced is not an error.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.IsOpen()) ::fsync(dir.Get());
}

std::string ReadBoundedFile(const std::string& path, std::size_t maxSize) {
    // Non-blocking, so that opening a FIFO returns at once; only regular
    // files are read after that.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.IsOpen()) ThrowRead(path, SystemReason(errno));
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

void TFileReadWrite::WriteLine(const std::string& text, const std::string& path) const {
    ReplaceFileContent(path, text + "\r\n");
}

std::string TFileReadWrite::ReadLine(const std::string& path) const {
    std::string content = ReadBoundedFile(path, kMaxConfigFileSize);
    const std::size_t end = content.find_first_of("\r\n");
    if (end != std::string::npos) content.resize(end);
    return content;
}

}  // namespace qx
