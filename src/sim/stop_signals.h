#pragma once
// SIGINT and SIGTERM as a readable descriptor (signalfd): the signals are
// blocked while the object lives and the server polls the descriptor, so no
// handler and no global flag are needed.

#include "sim/unique_fd.h"

#include <signal.h>

namespace qx::sim {

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    int Fd() const { return fd_.Get(); }

private:
    sigset_t previous_{};
    UniqueFd fd_;
};

}  // namespace qx::sim
