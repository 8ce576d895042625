#pragma once
// The five things a user does to a module, each run two ways for the fault
// tests: through the core in this process (so its open file descriptors
// can be counted) and as qxcfg (so its exit code and standard error can be
// checked).

#include <chrono>
#include <string>
#include <vector>

namespace qx::faulttest {

enum class Operation { Read, Configure, RestoreDefaults, Identify, ReceiveTest };

std::string OperationName(Operation op);

// The longest an operation may take against a module that never answers
// as it should, from the reply-wait rules: every wait that the operation
// can make on its failure path, at its full length.
std::chrono::milliseconds WaitBound(Operation op);

struct InProcessOutcome {
    std::vector<std::string> errors;  // the error texts shown, in order
    std::chrono::milliseconds elapsed{0};
};

// Runs the operation through the core on the given port path (as COM1).
// Configure writes the configuration loaded from `configFile`.
InProcessOutcome RunInProcess(Operation op, const std::string& portPath, const std::string& configFile);

// qxcfg's arguments for the operation on `portPath`. Read saves to
// `outputFile`; Configure writes `configFile`.
std::vector<std::string> QxcfgArguments(Operation op, const std::string& portPath, const std::string& configFile,
                                        const std::string& outputFile);

// An error text as qxcfg prints it: on one line, its line breaks as blanks.
std::string OnOneLine(const std::string& text);

}  // namespace qx::faulttest
