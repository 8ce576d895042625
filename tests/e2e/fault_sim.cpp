#include "e2e/fault_sim.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "e2e/sim_harness.h"

namespace qx::faulttest {

using namespace std::chrono_literals;

FaultSim::FaultSim(std::string link, const std::vector<std::string>& args, std::string stderrFile)
    : link_(std::move(link)), stderrFile_(std::move(stderrFile)) {
    // --verbose: the simulator notes every byte it receives, so a test can
    // tell when the host has begun talking to it.
    std::vector<std::string> all{"--verbose"};
    all.insert(all.end(), args.begin(), args.end());
    sim_ = std::make_unique<simtest::SimProcess>(link_, all, stderrFile_);
}

FaultSim::~FaultSim() = default;

const std::string& FaultSim::SlavePath() const { return sim_->SlavePath(); }

bool FaultSim::WaitForHost(std::chrono::milliseconds timeout) const {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (StderrText().find("qxsim: rx ") != std::string::npos) return true;
        std::this_thread::sleep_for(5ms);
    }
    return false;
}

void FaultSim::Vanish() {
    ::unlink(link_.c_str());
    sim_->Kill();
}

int FaultSim::Stop() { return sim_->Stop(); }

std::string FaultSim::StderrText() const {
    std::ifstream in(stderrFile_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace qx::faulttest
