#pragma once
// --log FILE: every reply of every channel a command opens is appended to
// FILE as one timestamped line (the file is created when missing).

#include <memory>

#include "cli/arg_reader.h"
#include "files/communication_log_file.h"
#include "serial/comqx7_object.h"

namespace qx::cli {

struct LogOption {
    std::shared_ptr<CommunicationLogFile> file;

    // Consumes "--log FILE" and opens the file; a file that cannot be opened
    // ends the command with the system's reason.
    bool Take(ArgReader& reader);
    // The channel's replies go to the file too (nothing without --log).
    void Tap(TCOMQX7Object& channel) const;
};

}  // namespace qx::cli
