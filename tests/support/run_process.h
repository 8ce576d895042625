#pragma once
// Runs one of the project's programs as a separate process and collects its
// exit code and both output streams.

#include <sys/types.h>

#include <functional>
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

// Called while the program runs, with its process id and what it has
// printed so far: whenever output arrives, and at least every 50 ms.
using ProcessWatch = std::function<void(pid_t pid, const ProcessResult& soFar)>;

// As RunProgram, with `watch` looking on (to signal the program at the
// right moment, say).
ProcessResult RunProgramWatched(const std::string& program, const std::vector<std::string>& args,
                                const ProcessWatch& watch);

// As RunProgram, with a terminal as standard input on which `typed` has
// been typed.
ProcessResult RunProgramOnTerminal(const std::string& program, const std::vector<std::string>& args,
                                   const std::string& typed);

std::string BinPath(const std::string& program);

}  // namespace qx::test
