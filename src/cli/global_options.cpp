#include "cli/global_options.h"

#include "cli/usage_error.h"

namespace qx::cli {

const std::vector<Row<GlobalOptions>>& CommandGlobalRows() {
    static const std::vector<Row<GlobalOptions>> rows = {
        Option("--model", "QX7T-R|QX5T", "the model the commands work for (default QX7T-R)", Offer::Words,
               +[](GlobalOptions& g, const Given& given) {
                   auto v = VariantByProductName(given.value);
                   if (!v) throw UsageError("--model takes " + ProductNames(" or ") + ", not '" + given.value + "'");
                   g.variant = *v;
               }),
        Flag("--yes, --no", "answer every question Yes, or No, instead of asking",
             +[](GlobalOptions& g, const Given& given) {
                 const AnswerPolicy policy = given.name == "--yes" ? AnswerPolicy::Yes : AnswerPolicy::No;
                 if (g.answers != AnswerPolicy::Ask && g.answers != policy)
                     throw UsageError("--yes and --no contradict each other: give one of them");
                 g.answers = policy;
             }),
        Option("--history", "FILE",
               "keep the module history in FILE (default: $QX_HISTORY, else qxconfig/history.sqlite3 in "
               "$XDG_DATA_HOME or ~/.local/share)",
               Offer::File,
               +[](GlobalOptions& g, const Given& given) {
                   if (given.value.empty()) throw UsageError("--history needs a file name");
                   g.historyFile = given.value;
               }),
        Flag("--no-history", "keep nothing in the module history during this run",
             +[](GlobalOptions& g, const Given&) { g.noHistory = true; }),
    };
    return rows;
}

const std::vector<Row<GlobalOptions>>& GlobalOptionRows() {
    static const std::vector<Row<GlobalOptions>> rows =
        Join(CommandGlobalRows(),
             {
                 Flag<GlobalOptions>("-h, --help", "print this help; after a command, that command's help",
                                     +[](GlobalOptions& g, const Given&) { g.action = GlobalAction::Overview; }),
                 Flag<GlobalOptions>("--version", "print the version and end",
                                     +[](GlobalOptions& g, const Given&) { g.action = GlobalAction::Version; }),
             });
    return rows;
}

}  // namespace qx::cli
