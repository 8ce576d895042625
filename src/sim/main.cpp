// qxsim: one simulated radio modem module on a pseudo-terminal.
#include "sim/module.h"
#include "sim/pty_link.h"
#include "sim/sim_help.h"
#include "sim/sim_error.h"
#include "sim/sim_options.h"
#include "sim/sim_server.h"
#include "sim/state_file.h"
#include "sim/stop_signals.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace qx::sim;

// The stored settings to start from: the state file's, or the factory
// settings when there is none or it cannot be used.
ModuleSettings InitialStored(const std::optional<StateFile>& state, const ModelInfo& model) {
    if (state) {
        try {
            if (auto stored = state->Load(model)) return *stored;
        } catch (const SimError& e) {
            std::fprintf(stderr, "qxsim: %s; starting from factory defaults\n", e.what());
        }
    }
    return ModuleSettings::Factory(model);
}

int Serve(const SimOptions& options) {
    StopSignals stopSignals;
    std::optional<StateFile> state;
    if (options.statePath) state.emplace(*options.statePath);

    auto store = [&state](const ModuleSettings& settings) {
        if (!state) return true;
        try {
            state->Save(settings);
            return true;
        } catch (const SimError& e) {
            std::fprintf(stderr, "qxsim: %s\n", e.what());
            return false;
        }
    };
    const FaultSet& faults = options.faults;
    ModuleOptions moduleOptions{options.model, options.guard, faults.rejectXon, faults.ignoreSReg, faults.listingCut};
    Module module(moduleOptions, InitialStored(state, options.model), store);
    module.PowerUp(Clock::now(), options.online);
    if (options.line) module.OverrideLine(*options.line);
    if (options.faults.numeric) module.ForceNumericResults();

    PtyLink link(options.link, module.Line());
    SimServer server(link, module, options.faults, options.verbose);
    std::printf("%s\n", link.SlavePath().c_str());
    std::fflush(stdout);
    // Returns on SIGINT or SIGTERM, or when the line hangs up (a fault).
    server.Run(stopSignals.Fd());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const SimOptions options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::fputs(HelpText().c_str(), stdout);
            return 0;
        }
        if (options.version) {
            std::printf("qxsim %s (build %s)\n", QX_SIM_VERSION, QX_SIM_BUILD);
            return 0;
        }
        return Serve(options);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "qxsim: %s\n%s", e.what(), UsageText().c_str());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qxsim: %s\n", e.what());
        return 1;
    }
}
