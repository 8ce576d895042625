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
    PortResult result;
};

std::string ResultLine(const PortResult& result) {
    switch (result.exitCode) {
        case kExitOk: return "OK" + (result.text.empty() ? "" : " " + result.text);
        case kExitCancelled: return "CANCELLED";
        default: return "FAILED: " + OneLine(result.text);
    }
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
                CliContext own(context.variant, context.answers, run.out, run.err);
                try {
                    run.result = job(own, each[i]);
                } catch (const std::exception& e) {
                    run.err << "ERROR: " << e.what() << '\n';
                    run.result = {dynamic_cast<const UsageError*>(&e) ? kExitUsage : kExitFailure, e.what()};
                }
            });
        }
    }
    int exitCode = kExitOk;
    for (std::size_t i = 0; i < each.size(); ++i) {
        const PortRun& run = runs[i];
        context.out << each[i].ports.front() << ": " << ResultLine(run.result) << '\n';
        if (exitCode == kExitOk) exitCode = run.result.exitCode;
    }
    return exitCode;
}

}  // namespace qx::cli
