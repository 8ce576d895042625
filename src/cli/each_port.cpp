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

std::string PortJson(const std::string& port, const PortResult& result) {
    JsonLine line;
    line.Text("port", port);
    switch (result.exitCode) {
        case kExitOk: line.Text("result", "ok"); break;
        case kExitCancelled: line.Text("result", "cancelled"); break;
        case kExitDeclined: line.Text("result", "declined"); break;
        default: line.Text("result", "failed"); break;
    }
    line.Number("exit", result.exitCode);
    if (!result.text.empty()) line.Text(result.exitCode == kExitOk ? "text" : "report", OneLine(result.text));
    return line.Members(result.details).Str();
}

int RunOnEachPort(CliContext& context, const OnlineOptions& options, const PortJob& job, bool json) {
    const std::vector<OnlineOptions> each = options.PerPort();
    std::vector<PortRun> runs(each.size());
    {
        // Ctrl-C reaches every port's operation.
        InterruptGuard interrupt;
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i < each.size(); ++i) {
            threads.emplace_back([&, i] {
                PortRun& run = runs[i];
                CliContext own(context.global, run.out, run.err);
                own.history = context.history;  // its notes are the run's, said once
                if (context.waits.Active())
                    own.waits.SayWith([&context, port = each[i].ports.front()](const std::string& line) {
                        context.ErrLine(port + ": " + line);
                    });
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
        // What the port's run had to say (its messages, notes and --verbose
        // lines), each line under its port, one port after the other.
        std::istringstream said(run.err.str());
        for (std::string line; std::getline(said, line);) context.ErrLine(each[i].ports.front() + ": " + line);
        if (json)
            context.out << PortJson(each[i].ports.front(), run.result) << '\n';
        else
            context.out << each[i].ports.front() << ": " << ResultLine(run.result) << '\n';
        if (exitCode == kExitOk) exitCode = run.result.exitCode;
    }
    return exitCode;
}

}  // namespace qx::cli
