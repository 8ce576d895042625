#pragma once
// One qxsim for the fault tests: started with --verbose so a test can tell
// when the host has begun talking to it, and able to vanish the way an
// unplugged adapter does (its device node gone, its end of the line dead).

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace qx::simtest {
class SimProcess;
}

namespace qx::faulttest {

class FaultSim {
public:
    // Starts qxsim on `link` with `args`; its standard error goes to
    // `stderrFile`.
    FaultSim(std::string link, const std::vector<std::string>& args, std::string stderrFile);
    ~FaultSim();
    FaultSim(const FaultSim&) = delete;
    FaultSim& operator=(const FaultSim&) = delete;

    bool Ready() const { return !SlavePath().empty(); }
    const std::string& Link() const { return link_; }
    const std::string& SlavePath() const;

    // Waits until the simulator has received its first byte from a host.
    bool WaitForHost(std::chrono::milliseconds timeout) const;
    // The link goes, then the simulator is killed without a chance to
    // clean up: the host's open port is left on a dead line.
    void Vanish();
    // SIGTERM and wait; the exit status (-1 when killed or not normal).
    int Stop();
    std::string StderrText() const;

private:
    std::string link_;
    std::string stderrFile_;
    std::unique_ptr<simtest::SimProcess> sim_;
};

}  // namespace qx::faulttest
