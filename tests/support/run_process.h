#pragma once
// Runs one of the project's programs as a separate process and collects its
// exit code and both output streams.

#include <string>
#include <vector>

namespace qx::test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// `program` is a file name in the build's bin directory (QX_BIN_DIR).
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& stdinText = {});

std::string BinPath(const std::string& program);

}  // namespace qx::test
