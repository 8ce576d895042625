#include "cli/outcome_exit.h"

#include "config/firmware_identification.h"
#include "cli/usage_error.h"

namespace qx::cli {

int ExitCodeFor(const OperationOutcome& outcome) {
    switch (outcome.kind) {
        case OutcomeKind::Done: return kExitOk;
        case OutcomeKind::Failed: return kExitFailure;
        case OutcomeKind::Declined: return kExitDeclined;
        case OutcomeKind::Cancelled: return outcome.moduleMayHaveChanged ? kExitOk : kExitCancelled;
    }
    return kExitFailure;
}

int Conclude(CliContext& context, const OperationOutcome& outcome) {
    if (outcome.moduleMayHaveChanged) context.moduleChange.Note({});
    if (!outcome.otherModel.empty() && !context.otherModelWarned) {
        context.otherModelWarned = true;
        Tell(context.prompter, MessageKind::Warning, OtherModelText(outcome.otherModel, context.variant));
    }
    const bool tooLate = outcome.cancelRequested && (outcome.IsDone() || outcome.moduleMayHaveChanged) &&
                         outcome.kind != OutcomeKind::Failed;
    if (tooLate) {
        context.err << "qxcfg: the cancel came too late to stop "
                    << (outcome.moduleMayHaveChanged ? "the change to the module" : "the operation")
                    << (outcome.IsDone() ? "; it ran to its end" : "; the operation stopped after it") << '\n';
    }
    return ExitCodeFor(outcome);
}

}  // namespace qx::cli
