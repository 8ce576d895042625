#pragma once
// What the benchmarks share: a prompter that counts the errors shown (and
// answers every question No), a progress sink that shows nothing, and the
// host's rate index of a rate, and one timed module operation.

#include <chrono>
#include <cstddef>

#include "app/progress_sink.h"
#include "app/prompter.h"
#include "operations/workspace.h"
#include "operations/operation_starters.h"
#include "operations/program_thread.h"
#include "serial/host_serial_settings.h"

namespace qx::bench {

class CountingPrompter : public Prompter {
public:
    Answer Show(const Message& m) override {
        if (m.kind == MessageKind::Error) ++errors;
        return m.IsQuestion() ? Answer::No : Answer::Ok;
    }
    int errors = 0;
};

class NullProgress : public ProgressSink {
public:
    void SetText(const std::string&) override {}
    void SetPosition(int) override {}
    void SetMax(int) override {}
    void Step() override {}
    void Refresh() override {}
    void Close() override {}
};

inline int HostBaudIndex(int rate) {
    for (std::size_t i = 0; i < kHostRates.size(); ++i)
        if (kHostRates[i].bitsPerSecond == rate) return static_cast<int>(i);
    return 3;
}

// Runs `op` on the workspace's module to its end, on this thread, with
// channels from `channels` (and the history recorder, when given); the wall
// time in milliseconds.
inline double TimeOperation(Workspace& workspace, ModuleOperation op, ChannelFactory channels,
                            HistoryRecorder* history = nullptr) {
    ConfigCommandList list{};
    if (op == ModuleOperation::Configure) list = *PrepareWriteConfig(workspace);
    if (op == ModuleOperation::Read) PrepareReadModuleConfig(workspace);
    DirectDispatcher ui;
    NullProgress progress;
    const auto start = std::chrono::steady_clock::now();
    OperationContext context{workspace, ui, progress, std::move(channels), {}};
    context.history = history;
    TProgramThread(std::move(context), op, list).Execute();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace qx::bench
