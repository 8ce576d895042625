#pragma once
// Reading a module back into a configuration of its own and comparing it
// with the configuration in hand: what "Compare with Module", "Verify after
// Configure", qxcfg write --verify and qxcfg diff port: do. The front end
// only says how the Read runs (behind its progress window, or with Ctrl-C
// as Cancel) and presents the result.

#include <functional>
#include <memory>
#include <vector>

#include "app/operation_outcome.h"
#include "config/config_difference.h"
#include "operations/workspace.h"

namespace qx {

// Runs the Read operation on `module` to its end, as the front end runs
// module operations, and returns what came of it.
using ReadRunner = std::function<OperationOutcome(Workspace& module)>;

struct ModuleReading {
    OperationOutcome outcome;           // the Read's; Done when the module was read
    std::unique_ptr<Workspace> module;  // the configuration read (defaults where the read stopped)
};

struct ReadBack : ModuleReading {
    // Done only: every setting in which the module differs from the
    // reference, in command slot order (first: the reference, second: the
    // module); empty when the module stores the same.
    std::vector<SettingDifference> differences;
};

// Whether a module configured with `written` can be read back: not when
// its serial rate is one this computer's port cannot be set to (93750).
bool CanReadBack(const WorkingConfig& written);

// Where the module is read back: at the host settings in hand (Compare
// with Module, diff port:), or after a write at the module serial settings
// written, which is where the module then answers even when the rules left
// the host behind (a rate change sent only with the final store).
enum class ReadBackAt { HostSettings, WrittenSettings };

// A workspace of its own for reading the module that `reference` talks to:
// started as the window starts, with the reference's host settings, escape
// character and S21 (kept for the firmware check), prepared for a Read.
// Its messages go to `prompter`.
std::unique_ptr<Workspace> WorkspaceForReading(const Workspace& reference, Prompter& prompter);

// Reads the module that `reference` talks to (its host settings and escape
// character) into a workspace of its own, started as the window starts,
// with the reference's S21 kept for the firmware check.
ModuleReading ReadModuleConfiguration(const Workspace& reference, const ReadRunner& runRead);

// ReadModuleConfiguration (at the settings `at` says), then the
// reference's configuration compared with the module's as a module would
// store them.
ReadBack ReadBackAndCompare(const Workspace& reference, const ReadRunner& runRead,
                            ReadBackAt at = ReadBackAt::HostSettings);

}  // namespace qx
