// qxcfg txber: starts or stops the module's transmit bit-error-rate test.

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "operations/tx_ber_test.h"

namespace qx::cli {

int RunTxBer(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    OnlineOptions online;
    std::optional<bool> start;
    while (!reader.AtEnd()) {
        if (online.Take(reader)) continue;
        const std::string word = reader.Next();
        if (word == "start" && !start)
            start = true;
        else if (word == "stop" && !start)
            start = false;
        else
            throw UsageError("txber: unexpected argument '" + word + "'");
    }
    if (!start) throw UsageError("txber: say start or stop");
    auto workspace = StartWorkspace(context, std::nullopt);
    online.ApplyTo(*workspace);
    TxBerTest test(!*start);
    try {
        return Conclude(context, test.TxBertest(*workspace, online.Factory(context, *workspace)));
    } catch (const std::exception& e) {
        context.err << "ERROR: " << e.what() << '\n';  // the port could not be opened
        return kExitFailure;
    }
}

}  // namespace qx::cli
