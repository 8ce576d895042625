// qxcfg txber: starts or stops the module's transmit bit-error-rate test.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/interrupt_runner.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "operations/tx_ber_test.h"

namespace qx::cli {

namespace {

struct TxBerArgs {
    OnlineOptions online;
    std::optional<bool> start;
};

int TxBer(CliContext& context, TxBerArgs& args) {
    if (!args.start) throw UsageError("txber: say start or stop");
    const OnlineOptions& online = args.online;
    auto workspace = StartWorkspace(context, std::nullopt);
    online.ApplyTo(*workspace);
    TxBerTest test(!*args.start);
    // Ctrl-C (or a hang-up, or SIGTERM) cancels the click until the module
    // has taken the test's command.
    InterruptGuard interrupt;
    InterruptRunner runner;
    try {
        const OperationOutcome outcome = test.TxBertest(*workspace, online.Factory(context, *workspace), runner);
        if (outcome.IsDone())
            context.moduleChange.Note(*args.start ? "the transmit test was started" : "the transmit test was stopped");
        return Conclude(context, outcome);
    } catch (const std::exception& e) {
        context.err << ErrorLines(e.what());  // the port could not be opened
        return kExitFailure;
    }
}

}  // namespace

Command TxBerCommand() {
    return Declare<TxBerArgs>({
        .name = "txber",
        .usage = "[PORT OPTIONS] start|stop",
        .summary = "start or stop the module's transmit bit-error-rate test",
        .rows = Join({Operand("start|stop", "", Offer::Words, Accepts::Words, false,
                              +[](TxBerArgs& a, const Given& g) { a.start = g.value == "start"; })},
                     OperationOptions<TxBerArgs>()),
        .exits = ModuleExits(),
        .examples = {"qxcfg txber --port /dev/ttyUSB0 start"},
        .run = TxBer,
    });
}

}  // namespace qx::cli
