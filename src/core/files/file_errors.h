#pragma once
// Failures of the configuration file layer, each carrying its message.

#include <stdexcept>
#include <string>

namespace qx {

class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that could not be read as a configuration file: missing, not a
// regular file, no access, too big, or a read error.
class EFileReadError : public EFileError {
public:
    using EFileError::EFileError;
};

// A file that could not be written; the message names the path and the
// system's reason. The file that was there before is still intact.
class EFileWriteError : public EFileError {
public:
    using EFileError::EFileError;
};

}  // namespace qx
