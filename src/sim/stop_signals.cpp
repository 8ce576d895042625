#include "sim/stop_signals.h"

#include "sim/sim_error.h"

#include <sys/signalfd.h>

namespace qx::sim {

StopSignals::StopSignals() {
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    if (::sigprocmask(SIG_BLOCK, &stop, &previous_) != 0) ThrowSystemError("sigprocmask");
    fd_ = UniqueFd(::signalfd(-1, &stop, SFD_CLOEXEC | SFD_NONBLOCK));
    if (!fd_.Valid()) {
        ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
        ThrowSystemError("signalfd");
    }
}

StopSignals::~StopSignals() {
    fd_.Reset();
    ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace qx::sim
