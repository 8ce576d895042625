#pragma once
// The one error type of the simulator: a failing system call or a bad option,
// with a text ready to print.

#include <stdexcept>
#include <string>

namespace qx::sim {

class SimError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "what: strerror(errno)" for the errno in force.
[[noreturn]] void ThrowSystemError(const std::string& what);

}  // namespace qx::sim
