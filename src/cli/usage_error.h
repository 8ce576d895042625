#pragma once

#include <stdexcept>
#include <string>

namespace qx::cli {

// A command line that cannot be carried out as written: exit code 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace qx::cli
