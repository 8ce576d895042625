#include "files/file_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "files/temporary_file.h"

namespace qx {

namespace {

// The kernel gives up after as many links in a row.
constexpr int kMaxLinksFollowed = 40;

// Why a save cannot go on; turned into the error of the public call, which
// names the path the user gave.
struct Refusal {
    std::string reason;
};

[[noreturn]] void Refuse(int error) { throw Refusal{std::generic_category().message(error)}; }

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

enum class TargetKind {
    Missing,  // nothing there yet: created
    Regular,  // replaced through a temporary file (or written in place)
    Stream,   // character device or FIFO: written as it is
};

struct Target {
    TargetKind kind = TargetKind::Missing;
    std::string path;  // the name finally written, links followed
    struct stat st {};
};

// Character devices and FIFOs are written as they are; the others refused.
TargetKind StreamOrRefuse(mode_t mode) {
    const mode_t type = mode & S_IFMT;
    if (type == S_IFCHR || type == S_IFIFO) return TargetKind::Stream;
    if (type == S_IFDIR) Refuse(EISDIR);
    throw Refusal{type == S_IFBLK ? "Is a block device" : "Is a socket"};
}

// What `path` stands for, symbolic links followed. Anything but a regular
// file is then written through the name as given, which the system follows
// (/dev/stdout and the other links of /proc too, whose targets are no
// names). For a regular file, or nothing yet, the links are followed here
// to the name finally written: its folder takes the temporary file, and a
// link to a name not yet taken leads to that name, which the save then
// creates, as a plain write through the link would.
Target Inspect(const std::string& path) {
    Target target;
    target.path = path;
    if (::stat(path.c_str(), &target.st) == 0 && !S_ISREG(target.st.st_mode)) {
        target.kind = StreamOrRefuse(target.st.st_mode);
        return target;
    }
    for (int links = 0;; ++links) {
        if (::lstat(target.path.c_str(), &target.st) != 0) {
            if (errno == ENOENT) return target;
            Refuse(errno);
        }
        if (!S_ISLNK(target.st.st_mode)) break;
        if (links == kMaxLinksFollowed) Refuse(ELOOP);
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(target.path, ec);
        if (ec) Refuse(ec.value());
        target.path = next.is_absolute() ? next.string() : FolderOf(target.path) + "/" + next.string();
    }
    target.kind = S_ISREG(target.st.st_mode) ? TargetKind::Regular : StreamOrRefuse(target.st.st_mode);
    return target;
}

// Whether the open descriptor is still the file that was inspected: a name
// swapped meanwhile is not written.
void RequireSameFile(int fd, const Target& target) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) Refuse(errno);
    if (now.st_dev != target.st.st_dev || now.st_ino != target.st.st_ino)
        throw Refusal{"the file was replaced while it was being saved"};
}

bool WriteAllAt(int fd, std::string_view content, off_t offset) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::pwrite(fd, content.data() + done, content.size() - done,
                                   offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A new, exclusively created file next to the target.
UniqueFd CreateTemporaryNear(const std::string& folder, TemporaryFile& temporary, int& error) {
    TemporaryNames names;
    for (int attempt = 0; attempt < TemporaryNames::kAttempts; ++attempt) {
        std::string name = names.Next(folder);
        UniqueFd fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (fd.Valid()) {
            temporary.Set(std::move(name));
            return fd;
        }
        error = errno;
        if (error != EEXIST) return UniqueFd();
    }
    return UniqueFd();
}

// The replacement takes the old file's owner and group where this process
// may give them (root may; a user may keep a group it belongs to), then
// its mode, which a change of owner may have cut.
void KeepOwnerAndMode(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Neither may be given: the file keeps this process's user and group.
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) Refuse(errno);
}

// The old file written over where it stands. The part beyond the old end
// goes first: when that fails (no space) the file is cut back and the old
// content was never touched. Then the rest over the old bytes, whose
// blocks already exist, and the file is cut to the new length. Returns
// false when the file cannot be opened for writing.
bool WriteRegularInPlace(const Target& target, const std::string& content) {
    UniqueFd fd(::open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid()) return false;
    RequireSameFile(fd.Get(), target);
    struct stat now {};
    if (::fstat(fd.Get(), &now) != 0) Refuse(errno);
    const std::size_t oldSize = static_cast<std::size_t>(now.st_size);
    const std::string_view text(content);
    if (text.size() > oldSize && !WriteAllAt(fd.Get(), text.substr(oldSize), static_cast<off_t>(oldSize))) {
        const int error = errno;
        if (::ftruncate(fd.Get(), static_cast<off_t>(oldSize)) != 0) {
            // The write's error is the one the user needs; the old bytes are untouched.
        }
        Refuse(error);
    }
    if (!WriteAllAt(fd.Get(), text.substr(0, std::min(oldSize, text.size())), 0)) Refuse(errno);
    if (text.size() < oldSize && ::ftruncate(fd.Get(), static_cast<off_t>(text.size())) != 0) Refuse(errno);
    if (::fsync(fd.Get()) != 0) Refuse(errno);
    if (fd.Close() != 0) Refuse(errno);
    return true;
}

// The old file's extended attributes (its access control list and
// security label among them) given to the replacement. False when one of
// them cannot be given, so the replacement would open or close the file
// to other people than the old one did.
bool CopyExtendedAttributes(const std::string& from, int to) {
    const ssize_t listSize = ::listxattr(from.c_str(), nullptr, 0);
    if (listSize < 0) return errno == ENOTSUP;  // none on this file system
    std::string names(static_cast<std::size_t>(listSize), '\0');
    const ssize_t listed = ::listxattr(from.c_str(), names.data(), names.size());
    if (listed < 0) return false;
    names.resize(static_cast<std::size_t>(listed));
    for (std::size_t at = 0; at < names.size();) {
        const std::string name = names.c_str() + at;
        at += name.size() + 1;
        const ssize_t size = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
        if (size < 0) return false;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::getxattr(from.c_str(), name.c_str(), value.data(), value.size());
        if (got < 0) return false;
        if (::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(got), 0) != 0) return false;
    }
    return true;
}

void ReplaceThroughTemporary(const Target& target, const std::string& content) {
    // A file that may not be written is not replaced either, though its
    // folder would allow it: write protection is the user's to lift.
    if (target.kind == TargetKind::Regular && ::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0)
        Refuse(errno);
    // A file with other names (hard links) is written where it stands, so
    // that every name still shows the one file, as a plain write would.
    if (target.kind == TargetKind::Regular && target.st.st_nlink > 1) {
        if (!WriteRegularInPlace(target, content)) Refuse(errno);
        return;
    }
    const std::string folder = FolderOf(target.path);
    TemporaryFile temporary;
    int error = 0;
    UniqueFd fd = CreateTemporaryNear(folder, temporary, error);
    if (!fd.Valid()) {
        // A folder that may not be written (shared, read-only) can still
        // hold a file that may: that file is written where it stands.
        const bool folderRefused = error == EACCES || error == EPERM || error == EROFS;
        if (target.kind == TargetKind::Regular && folderRefused && WriteRegularInPlace(target, content)) return;
        Refuse(error);
    }
    if (target.kind == TargetKind::Regular) {
        // Attributes the replacement cannot carry: the old file written in
        // place instead (the temporary file goes with `temporary`).
        if (!CopyExtendedAttributes(target.path, fd.Get())) {
            fd.Close();
            if (!WriteRegularInPlace(target, content)) Refuse(errno);
            return;
        }
        KeepOwnerAndMode(fd.Get(), target.st);
    }
    if (!WriteAll(fd.Get(), content)) Refuse(errno);
    if (::fsync(fd.Get()) != 0) Refuse(errno);
    if (fd.Close() != 0) Refuse(errno);
    if (::rename(temporary.Path().c_str(), target.path.c_str()) != 0) Refuse(errno);
    temporary.Release();

    // Make the rename itself durable; the content is already safe, so a
    // folder that cannot be synced is not an error.
    UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) ::fsync(dir.Get());
}

// A character device or FIFO, opened for writing without waiting: a FIFO
// without a reader would otherwise hang the program. Writes then wait as a
// plain write does. The name may be a link to it.
UniqueFd OpenStream(const Target& target) {
    UniqueFd fd(::open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.Valid()) {
        if (errno == ENXIO && S_ISFIFO(target.st.st_mode)) throw Refusal{"no program is reading from this FIFO"};
        Refuse(errno);
    }
    RequireSameFile(fd.Get(), target);
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) Refuse(errno);
    return fd;
}

void WriteStream(const Target& target, const std::string& content) {
    UniqueFd fd = OpenStream(target);
    if (!WriteAll(fd.Get(), content)) Refuse(errno);
    if (fd.Close() != 0) Refuse(errno);
}

}  // namespace

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

void SaveFileContent(const std::string& path, const std::string& content) {
    try {
        if (path.empty()) Refuse(ENOENT);
        const Target target = Inspect(path);
        if (target.kind == TargetKind::Stream)
            WriteStream(target, content);
        else
            ReplaceThroughTemporary(target, content);
    } catch (const Refusal& refusal) {
        throw EFileWriteError("Cannot save " + path + ": " + refusal.reason);
    }
}

UniqueFd OpenFileForAppend(const std::string& path) {
    try {
        if (path.empty()) Refuse(ENOENT);
        const Target target = Inspect(path);
        if (target.kind == TargetKind::Stream) return OpenStream(target);
        UniqueFd fd(
            ::open(target.path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
        if (!fd.Valid()) Refuse(errno);
        struct stat now {};
        if (::fstat(fd.Get(), &now) != 0) Refuse(errno);
        if (!S_ISREG(now.st_mode)) throw Refusal{"the file was replaced while it was being opened"};
        return fd;
    } catch (const Refusal& refusal) {
        throw EFileWriteError("Cannot write " + path + ": " + refusal.reason);
    }
}

}  // namespace qx
