#pragma once
// Reading and writing the one-line text of a configuration file.
//
// Writing never truncates the old file first: the new text goes into a
// temporary file in the same folder, is flushed to the disk, and then
// replaces the old file in one rename. A save that fails (disk full,
// device gone, no access) leaves the previous file as it was.
//
// Reading takes only regular files of a sane size, opened without
// blocking, so a FIFO, a device or a directory named like a configuration
// file cannot hang or flood the program.

#include <cstddef>
#include <string>

#include "files/file_errors.h"

namespace qx {

// A configuration line is about 300 characters; anything bigger than this
// is not a configuration file and is refused without being read whole.
inline constexpr std::size_t kMaxConfigFileSize = 64 * 1024;

class TFileReadWrite {
public:
    // Replaces the file at path with text followed by CR LF.
    // EFileWriteError with the system's reason on failure.
    void WriteLine(const std::string& text, const std::string& path) const;

    // The file's first line, without its line end (CR, LF or CR LF).
    // EFileReadError on failure.
    std::string ReadLine(const std::string& path) const;
};

// The whole content of a regular file of at most maxSize bytes.
// EFileReadError on failure, for a file that is not regular, or for one
// bigger than maxSize.
std::string ReadBoundedFile(const std::string& path, std::size_t maxSize);

// Replaces the file at path with content through a temporary file and a
// rename. EFileWriteError on failure; the old file is then unchanged.
void ReplaceFileContent(const std::string& path, const std::string& content);

}  // namespace qx
