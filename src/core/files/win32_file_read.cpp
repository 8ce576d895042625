#include "files/file_read_write.h"

#include <windows.h>

#include "app/win32_handle.h"
#include "app/win32_text.h"

namespace qx {

namespace {

[[noreturn]] void ThrowRead(const std::string& path, const std::string& reason) {
    throw EFileReadError("Cannot read " + path + ": " + reason);
}

}  // namespace

std::string ReadBoundedFile(const std::string& path, std::size_t maxSize) {
    const std::wstring name = WideFromUtf8(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        ThrowRead(path, "not a regular file");
    // Shared with every other user of the file, so that a file another
    // program has open can still be read.
    UniqueHandle file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) ThrowRead(path, Win32ErrorText(::GetLastError()));
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK) ThrowRead(path, "not a regular file");
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) ThrowRead(path, Win32ErrorText(::GetLastError()));
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxSize) ThrowRead(path, "file too big");

    // Read in pieces and stop one byte beyond the bound, in case the file
    // grew since it was looked at.
    std::string content;
    char buffer[4096];
    while (content.size() <= maxSize) {
        DWORD n = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &n, nullptr))
            ThrowRead(path, Win32ErrorText(::GetLastError()));
        if (n == 0) break;
        content.append(buffer, n);
    }
    if (content.size() > maxSize) ThrowRead(path, "file too big");
    return content;
}

}  // namespace qx
