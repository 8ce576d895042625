#pragma once
// What every qxcfg command gets: the global options (the model chosen with
// --model, the answer policy of --yes / --no), the output streams, the
// user's terminal (when standard input is one), the prompter, the
// announcer of long waits (active when standard error is not a terminal),
// and the recorder of the module history.

#include <atomic>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/model_variant.h"
#include "cli/checked_output.h"
#include "cli/cli_prompter.h"
#include "cli/global_options.h"
#include "cli/usage_error.h"
#include "cli/wait_announcer.h"
#include "serial/closing_connections.h"

namespace qx {
class HistoryRecorder;
}

namespace qx::cli {

struct CliContext {
    GlobalOptions global;  // as given before the command
    ModelVariant variant = ModelVariant::Main();
    AnswerPolicy answers = AnswerPolicy::Ask;
    std::ostream& out;
    std::ostream& err;
    std::istream* terminal = nullptr;  // null: nobody to ask
    CliPrompter prompter;
    // The warning that the module is the other model is given once per command.
    bool otherModelWarned = false;
    // What the command changed on the module, for a report that cannot
    // reach standard output (see ConcludeOutput).
    ModuleChange moduleChange;
    // The command's connections to port servers, kept past their close until
    // the next opening of the same server (see ClosingConnections).
    std::shared_ptr<ClosingConnections> closing = std::make_shared<ClosingConnections>();
    // The --log file could not be written: the command's failure is a
    // file's (exit 2), not the module's.
    std::atomic<bool> logWriteFailed{false};
    std::mutex errLineMutex;  // see ErrLine; before `waits`, which says lines through it
    WaitAnnouncer waits;
    // What the module operations keep in the history; null: nothing (--no-history).
    HistoryRecorder* history = nullptr;

    CliContext(const GlobalOptions& g, std::ostream& o, std::ostream& e, std::istream* t = nullptr)
        : global(g), variant(g.variant), answers(g.answers), out(o), err(e), terminal(t), prompter(e, g.answers, t) {}

    // One whole line on standard error, from any thread (the announcements
    // of several modules at once share it).
    void ErrLine(const std::string& line) {
        std::lock_guard lock(errLineMutex);
        err << line << '\n' << std::flush;
    }
};

// The exit code `code` of a command run in `context`, where a failure that
// came of the --log file is the file's (2).
inline int WithLogFailure(const CliContext& context, int code) {
    return code == kExitFailure && context.logWriteFailed ? kExitUsage : code;
}

// Runs qxcfg with its arguments (without the program name); returns the exit
// code. `terminal` is standard input when it is a terminal, else null.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           std::istream* terminal = nullptr);

}  // namespace qx::cli
