#pragma once
// Asking a module who it is, on a channel of its own: wake it, ask "ATI",
// cut the identification line out of the answer (at the running model's
// name) and read the firmware version from it.

#include <string>

#include "app/model_variant.h"
#include "app/operation_outcome.h"
#include "operations/operation_context.h"

namespace qx {

struct IdentifyResult {
    // Failed: the error's own text, as a module operation reports it; the
    // caller shows it. outcome.otherModel names the other model when the
    // module identified itself as that one.
    OperationOutcome outcome;
    std::string identification{};
    double version = 0;
};

// Opens a channel with `settings` (an opening error is a failure too).
// `stop` (may be empty) is the user's request to stop: it ends the wake
// within one read of the port, and the identification is then cancelled.
IdentifyResult IdentifyModule(const ChannelFactory& open, const HostSerialSettings& settings,
                              const ModelVariant& running, const std::function<bool()>& stop = {});

}  // namespace qx
