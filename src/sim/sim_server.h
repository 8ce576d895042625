#pragma once
// The simulator's event loop: reads what the host sends through the pty,
// drops it when the host's line settings are not the module's, feeds the
// rest to the module, and sends the module's output when it is due, through
// the injected faults.

#include "sim/faults.h"
#include "sim/module.h"
#include "sim/output_queue.h"
#include "sim/pty_link.h"

namespace qx::sim {

class SimServer {
public:
    SimServer(PtyLink& link, Module& module, const FaultSet& faults, bool verbose);

    // Serves until SIGINT or SIGTERM arrives on `stopFd` (a signalfd), or
    // until the module's output hangs the line up (the hang-up fault).
    void Run(int stopFd);

private:
    void ReadInput(TimePoint now);
    void QueueOutput(TimePoint now);
    void Flush(TimePoint now);
    bool HostAtModuleLine() const;
    void Log(const char* what, const std::string& bytes) const;

    PtyLink& link_;
    Module& module_;
    OutputFaults faults_;
    OutputQueue queue_;
    LineSettings line_;  // the line the module listens and talks at right now
    bool verbose_;
    bool hungUp_ = false;
};

}  // namespace qx::sim
