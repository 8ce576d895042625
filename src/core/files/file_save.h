#pragma once
// Writing a file the user named, the way every save of the program does it
// (configuration files, saved logs, qxcfg's -o), so that a save never costs
// the user what was there before and never turns a special file into a
// plain one.
//
// What the name stands for decides how it is written:
// - a symbolic link is followed; the file it leads to is written and the
//   link stays a link;
// - a regular file that this process may write, or a name not yet taken,
//   gets the new content through a temporary file in the same folder
//   (".qxsave-XXXXXXXX") that is synced and then renamed over it. The new
//   file keeps the old one's mode, and its owner and group where this
//   process may set them. A file this process may not write is refused,
//   as a plain write would be, even where its folder would allow a rename;
// - a regular file in a folder that cannot take the temporary file, but
//   that may itself be written, is written in place, without ever
//   truncating it first: a save that fails for lack of space leaves the old
//   content as it was;
// - a character device (a terminal, /dev/null) or a FIFO is written in
//   place, as a plain write would, and is never replaced. A FIFO that no
//   program reads is refused at once rather than waited on;
// - a directory, a block device or a socket is refused.
// Every failure is an EFileWriteError "Cannot save PATH: REASON" with the
// system's reason.

#include <string>

#include "app/unique_fd.h"
#include "files/file_errors.h"

namespace qx {

// Saves `content` as the file `path` (see above).
void SaveFileContent(const std::string& path, const std::string& content);

// Opens `path` for appending, creating a missing file, after the same
// checks as a save: a link is followed, a character device or FIFO is
// written as it is, a directory, block device or socket is refused.
// EFileWriteError "Cannot write PATH: REASON" on failure.
UniqueFd OpenFileForAppend(const std::string& path);

// The whole of `content` to `fd`; false with errno set when a write fails.
bool WriteAll(int fd, const std::string& content);

}  // namespace qx
