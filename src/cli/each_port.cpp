#include "cli/each_port.h"

#include <sstream>
#include <thread>
#include <vector>

#include "cli/usage_error.h"

namespace qx::cli {

namespace {

struct PortRun {
    std::ostringstream out;
    std::ostringstream err;
    int exitCode = kExitFailure;
    std::string summary;
};

// The report a failed run printed: its first error line, else its last line.
std::string FailureText(const std::string& err) {
    std::istringstream in(err);
    std::string last;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("ERROR: ", 0) == 0) return line.substr(7);
        if (line.rfind("qxcfg: ", 0) == 0) return line.substr(7);
        if (!line.empty()) last = line;
    }
    return last;
}

}  // namespace

int RunOnEachPort(CliContext& context, const OnlineOptions& options, const PortJob& job) {
    const std::vector<OnlineOptions> each = options.PerPort();
    std::vector<PortRun> runs(each.size());
    {
        // Ctrl-C reaches every port's operation.
        InterruptGuard interrupt;
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < each.size(); ++i) {
            threads.emplace_back([&, i] {
                PortRun& run = runs[i];
                CliContext own(context.variant, context.answerYes, run.out, run.err);
                try {
                    run.exitCode = job(own, each[i], run.summary);
                } catch (const std::exception& e) {
                    run.err << "ERROR: " << e.what() << '\n';
                    run.exitCode = dynamic_cast<const UsageError*>(&e) ? kExitUsage : kExitFailure;
                }
            });
        }
    }
    int exitCode = kExitOk;
    for (std::size_t i = 0; i < each.size(); ++i) {
        const PortRun& run = runs[i];
        context.out << each[i].ports.front() << ": ";
        if (run.exitCode == kExitOk)
            context.out << "OK" << (run.summary.empty() ? "" : " " + run.summary) << '\n';
        else
            context.out << "FAILED: " << FailureText(run.err.str()) << '\n';
        if (exitCode == kExitOk) exitCode = run.exitCode;
    }
    return exitCode;
}

}  // namespace qx::cli
