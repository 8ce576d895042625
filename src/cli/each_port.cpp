#include "cli/each_port.h"

#include <sstream>
#include <thread>
#include <vector>

#include "cli/failure_report.h"
#include "cli/usage_error.h"

namespace qx::cli {

namespace {

struct PortRun {
    std::ostringstream out;
    std::ostringstream err;
    PortResult result;
    ModuleChange change;  // what the port's run did to its module
};

std::string ResultLine(const PortResult& result) {
    switch (result.exitCode) {
        case kExitOk: return "OK" + (result.text.empty() ? "" : " " + result.text);
        case kExitCancelled: return "CANCELLED";
        case kExitDeclined: return "DECLINED";
        default: return "FAILED: " + OneLine(result.text);
    }
}

// The ports a command names in its result lines: each --port, or the
// default port.
std::vector<std::string> PortNames(const OnlineOptions& online) {
    return online.ports.empty() ? std::vector<std::string>{online.PortText()} : online.ports;
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
    if (!result.text.empty()) line.Text(result.exitCode == kExitOk ? "text" : "error", OneLine(result.text));
    return line.Members(result.details).Str();
}

int ConcludeEveryPort(CliContext& context, const OnlineOptions& online, bool json, const PortResult& result) {
    if (json)
        for (const std::string& port : PortNames(online)) context.out << PortJson(port, result) << '\n';
    return result.exitCode;
}

int RunOnPorts(CliContext& context, const OnlineOptions& online, bool json, const PortJob& job,
               const std::function<void()>& check) {
    if (check) {
        try {
            check();
        } catch (const std::exception& e) {
            if (!json) throw;
            return ConcludeEveryPort(context, online, json, PortResult{ReportException(context.err, e), e.what()});
        }
    }
    if (online.ports.size() > 1) return RunOnEachPort(context, online, job, json);
    // Without JSON a failure leaves as the command's own.
    if (!json) return job(context, online).exitCode;
    PortResult result;
    try {
        result = job(context, online);
    } catch (const std::exception& e) {
        result = {ReportException(context.err, e), e.what()};
    }
    result.exitCode = WithLogFailure(context, result.exitCode);
    context.out << PortJson(online.PortText(), result) << '\n';
    return result.exitCode;
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
                    run.result = {ReportException(run.err, e), e.what()};
                }
                run.result.exitCode = WithLogFailure(own, run.result.exitCode);
                run.change = own.moduleChange;
            });
        }
    }
    int exitCode = kExitOk;
    std::vector<std::string> changes;
    for (std::size_t i = 0; i < each.size(); ++i) {
        const PortRun& run = runs[i];
        const std::string& port = each[i].ports.front();
        // What the port's run had to say (its messages, notes and --verbose
        // lines), each line under its port, one port after the other.
        std::istringstream said(run.err.str());
        for (std::string line; std::getline(said, line);) context.ErrLine(port + ": " + line);
        if (json) {
            context.out << PortJson(port, run.result) << '\n';
        } else {
            context.out << port << ": " << ResultLine(run.result) << '\n';
            for (const std::string& line : run.result.lines) context.out << "  " << line << '\n';
        }
        if (exitCode == kExitOk) exitCode = run.result.exitCode;
        if (run.change.changed) changes.push_back(port + ": " + (run.change.note.empty() ? "changed" : run.change.note));
    }
    // Every module changed, for a report that cannot reach standard output.
    if (!changes.empty()) {
        std::string all;
        for (const std::string& change : changes) all += (all.empty() ? "" : "; ") + change;
        context.moduleChange.Note(all);
    }
    return exitCode;
}

}  // namespace qx::cli
