#pragma once

#include <stdexcept>
#include <string>

namespace qx::cli {

// A command line that cannot be carried out as written: exit code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The exit codes of every command.
inline constexpr int kExitOk = 0;          // done
inline constexpr int kExitFailure = 1;     // the module or port failed (its report printed)
inline constexpr int kExitUsage = 2;       // usage or file error
inline constexpr int kExitDeclined = 3;    // a question answered No ended the command
inline constexpr int kExitCancelled = 130; // Ctrl-C, with nothing changed on the module

}  // namespace qx::cli
