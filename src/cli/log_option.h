#pragma once
// --log FILE: what every channel a command opens sends (">") and receives
// ("<") is appended to FILE, one timestamped line each, after a header
// line naming the program, model, port and line settings each time a
// channel opens (the file is created when missing). When several ports
// share the log, every line names its port. --verbose shows the same
// lines, without time and header, on standard error.

#include <functional>
#include <memory>
#include <string>

#include "files/communication_log_file.h"
#include "serial/comqx7_object.h"

namespace qx::cli {

struct LogOption {
    std::shared_ptr<CommunicationLogFile> file;
    bool markPorts = false;  // several ports write to the file at once
    std::string program;     // "qxcfg 1.61 (build 27)" for the header

    // --log FILE: opens the file; a file that cannot be opened ends the
    // command with the system's reason.
    void Open(const std::string& path);
    // One whole line for the user (it is called from the channel's thread
    // while other threads may say lines too).
    using LineSink = std::function<void(const std::string& line)>;

    // The header for a channel about to talk on `settings`, then everything
    // the channel sends and receives, to the file and to `echo` (nothing
    // without --log and without `echo`). A write to the file that fails
    // ends the channel's work with the file's error (EFileWriteError), after
    // `failed` has been called: the command then ends as a file that cannot
    // be written ends it, not as a failing module.
    void Tap(TCOMQX7Object& channel, const HostSerialSettings& settings, const PortMap& ports, LineSink echo = {},
             std::function<void()> failed = {}) const;
};

}  // namespace qx::cli
