#pragma once
// Reading the one-line text of a configuration file (it is written by
// WriteConfigFile, files/config_file_commands.h).
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
    // The file's first line, without its line end (CR, LF or CR LF).
    // EFileReadError on failure.
    std::string ReadLine(const std::string& path) const;
};

// The whole content of a regular file of at most maxSize bytes.
// EFileReadError on failure, for a file that is not regular, or for one
// bigger than maxSize.
std::string ReadBoundedFile(const std::string& path, std::size_t maxSize);

}  // namespace qx
