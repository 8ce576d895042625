#include "files/file_save.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>

#include "app/win32_handle.h"
#include "app/win32_text.h"
#include "files/temporary_file.h"

namespace qx {

namespace {

// Why a save cannot go on; turned into the error of the public call, which
// names the path the user gave.
struct Refusal {
    std::string reason;
};

[[noreturn]] void Refuse(DWORD error) { throw Refusal{Win32ErrorText(error)}; }
[[noreturn]] void RefuseLast() { Refuse(::GetLastError()); }

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return path.substr(0, slash == 0 || (slash == 2 && path[1] == L':') ? slash + 1 : slash);
}

enum class TargetKind {
    Missing,  // nothing there yet: created
    Regular,  // replaced through a temporary file (or written in place)
    Stream,   // a character device (NUL, CON, a port) or a pipe: written as it is
};

struct Target {
    TargetKind kind = TargetKind::Missing;
    std::wstring path;   // the name finally written, links followed
    UniqueHandle stream; // open for writing when kind is Stream
    DWORD links = 1;     // the file's names (hard links)
};

// The name a handle's file finally has, symbolic links followed.
std::wstring FinalPath(HANDLE file) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = ::GetFinalPathNameByHandleW(file, buffer, MAX_PATH * 4, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= MAX_PATH * 4) RefuseLast();
    return std::wstring(buffer, length);
}

// What `path` stands for: nothing yet, a regular file (its final name,
// links followed, whose folder takes the temporary file), or a device or
// pipe, which is written through the name as given.
Target Inspect(const std::wstring& path) {
    Target target;
    target.path = path;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw Refusal{"Is a directory"};
    // A read-only file is the user's write protection, which the save
    // respects whoever runs it (Wine lets root write through it).
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) Refuse(ERROR_ACCESS_DENIED);
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND) return target;
        // A file that may not be written (read-only, or held by another
        // program) is not replaced either: that is the user's to lift.
        RefuseLast();
    }
    const DWORD type = ::GetFileType(file.Get());
    if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
        target.kind = TargetKind::Stream;
        target.stream = std::move(file);
        return target;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.Get(), &info)) RefuseLast();
    target.kind = TargetKind::Regular;
    target.links = info.nNumberOfLinks;
    target.path = FinalPath(file.Get());
    return target;
}

bool WriteAllTo(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
        if (!::WriteFile(file, content.data(), chunk, &n, nullptr)) return false;
        content.remove_prefix(n);
    }
    return true;
}

bool WriteAllAt(HANDLE file, std::string_view content, long long offset) {
    LARGE_INTEGER at{};
    at.QuadPart = offset;
    return ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && WriteAllTo(file, content);
}

// A new, exclusively created file next to the target.
UniqueHandle CreateTemporaryNear(const std::wstring& folder, TemporaryFile& temporary, DWORD& error) {
    TemporaryNames names;
    const std::string stem = Utf8FromWide(folder.ends_with(L'\\') ? folder.substr(0, folder.size() - 1) : folder);
    for (int attempt = 0; attempt < TemporaryNames::kAttempts; ++attempt) {
        // Backslashes: a "\\?\" path takes no other separator.
        std::string name = names.Next(stem, '\\');
        UniqueHandle file(::CreateFileW(WideFromUtf8(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid()) {
            temporary.Set(std::move(name));
            return file;
        }
        error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return UniqueHandle();
    }
    return UniqueHandle();
}

// The old file written over where it stands. The part beyond the old end
// goes first: when that fails (no space) the file is cut back and the old
// content was never touched. Then the rest over the old bytes, and the
// file is cut to the new length.
void WriteRegularInPlace(const Target& target, const std::string& content) {
    UniqueHandle file(::CreateFileW(target.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) RefuseLast();
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) RefuseLast();
    const auto oldSize = static_cast<std::size_t>(size.QuadPart);
    const std::string_view text(content);
    if (text.size() > oldSize && !WriteAllAt(file.Get(), text.substr(oldSize), static_cast<long long>(oldSize))) {
        const DWORD error = ::GetLastError();
        LARGE_INTEGER back{};
        back.QuadPart = static_cast<long long>(oldSize);
        if (::SetFilePointerEx(file.Get(), back, nullptr, FILE_BEGIN)) ::SetEndOfFile(file.Get());
        Refuse(error);
    }
    if (!WriteAllAt(file.Get(), text.substr(0, std::min(oldSize, text.size())), 0)) RefuseLast();
    if (text.size() < oldSize) {
        LARGE_INTEGER end{};
        end.QuadPart = static_cast<long long>(text.size());
        if (!::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file.Get())) RefuseLast();
    }
    if (!::FlushFileBuffers(file.Get())) RefuseLast();
    if (!file.Close()) RefuseLast();
}

// The new content in a temporary file beside the target, flushed to the
// disk, then put in the target's place in one step: ReplaceFileW, which
// keeps the old file's attributes, security and creation time, or, for a
// new name (or where the file system cannot replace), MoveFileExW, which
// waits until the move is on the disk.
void ReplaceThroughTemporary(const Target& target, const std::string& content) {
    // A file with other names (hard links) is written where it stands, so
    // that every name still shows the one file, as a plain write would.
    if (target.kind == TargetKind::Regular && target.links > 1) return WriteRegularInPlace(target, content);
    TemporaryFile temporary;
    DWORD error = 0;
    UniqueHandle file = CreateTemporaryNear(FolderOf(target.path), temporary, error);
    if (!file.Valid()) {
        // A folder that may not be written can still hold a file that may:
        // that file is written where it stands.
        if (target.kind == TargetKind::Regular && error == ERROR_ACCESS_DENIED)
            return WriteRegularInPlace(target, content);
        Refuse(error);
    }
    if (!WriteAllTo(file.Get(), content)) RefuseLast();
    if (!::FlushFileBuffers(file.Get())) RefuseLast();
    if (!file.Close()) RefuseLast();
    const bool replaced = target.kind == TargetKind::Regular &&
                          ::ReplaceFileW(target.path.c_str(), WideFromUtf8(temporary.Path()).c_str(), nullptr,
                                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    if (!replaced && !::MoveFileExW(WideFromUtf8(temporary.Path()).c_str(), target.path.c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RefuseLast();
    temporary.Release();
}

// The handle as a C runtime descriptor, for the callers that write through
// one (WriteAll); the descriptor owns the handle from here on.
UniqueFd DescriptorOf(UniqueHandle handle) {
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle.Get()), _O_WRONLY | _O_APPEND | _O_BINARY);
    if (fd < 0) throw Refusal{"cannot make a descriptor of the file"};
    handle.Release();
    return UniqueFd(fd);
}

// Holds an exclusive lock on one byte far beyond any file's end while a
// line is appended, so that writers through several openings of one file
// (several programs sharing a log) take turns. Windows appends atomically
// through an append-only handle by itself; Wine does not, and the lock
// costs nothing where it is not needed. Handles that take no locks (a
// console, a pipe) are written without.
class AppendTurn {
public:
    explicit AppendTurn(HANDLE file) : file_(file) {
        place_.Offset = 0xFFFFFFFE;
        place_.OffsetHigh = 0x7FFFFFFF;
        locked_ = ::LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &place_) != 0;
    }
    ~AppendTurn() {
        if (locked_) ::UnlockFileEx(file_, 0, 1, 0, &place_);
    }
    AppendTurn(const AppendTurn&) = delete;
    AppendTurn& operator=(const AppendTurn&) = delete;

private:
    HANDLE file_;
    OVERLAPPED place_{};
    bool locked_ = false;
};

}  // namespace

bool WriteAll(int fd, const std::string& content) {
    const AppendTurn turn(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)));
    std::size_t done = 0;
    while (done < content.size()) {
        const auto chunk = static_cast<unsigned>(std::min<std::size_t>(content.size() - done, 1u << 20));
        const int n = ::_write(fd, content.data() + done, chunk);
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
        if (path.empty()) Refuse(ERROR_FILE_NOT_FOUND);
        Target target = Inspect(WideFromUtf8(path));
        if (target.kind == TargetKind::Stream) {
            if (!WriteAllTo(target.stream.Get(), content)) RefuseLast();
            if (!target.stream.Close()) RefuseLast();
        } else {
            ReplaceThroughTemporary(target, content);
        }
    } catch (const Refusal& refusal) {
        throw EFileWriteError("Cannot save " + path + ": " + refusal.reason);
    }
}

// Every write goes to the file's end (FILE_APPEND_DATA), as with O_APPEND,
// so that lines of several writers never overwrite each other.
UniqueFd OpenFileForAppend(const std::string& path) {
    try {
        if (path.empty()) Refuse(ERROR_FILE_NOT_FOUND);
        const std::wstring name = WideFromUtf8(path);
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            throw Refusal{"Is a directory"};
        UniqueHandle file(::CreateFileW(name.c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) RefuseLast();
        return DescriptorOf(std::move(file));
    } catch (const Refusal& refusal) {
        throw EFileWriteError("Cannot write " + path + ": " + refusal.reason);
    }
}

}  // namespace qx
