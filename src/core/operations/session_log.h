#pragma once
// The communication log of a whole session: everything every channel of
// the program sends and receives, with its time, whichever thread the
// channel runs on (a module operation's worker, a test's start, the
// polling of a receive test, a module search). A header line names the
// port and its settings each time a channel opens. The lines are those of
// a log file (see CommunicationLogFile), so qxcfg's --log and the window's
// "Save Log..." read alike.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "files/communication_log_file.h"
#include "serial/comqx7_object.h"

namespace qx {

// The header line for a channel about to talk on `settings`: the program,
// the model, the port with its device, the line settings and the time.
std::string ChannelLogHeader(const std::string& program, const TCOMQX7Object& channel,
                             const HostSerialSettings& settings, const PortMap& ports);

// Makes `entry` see each text the channel sends and each reply it
// receives; a wait that ended with nothing is an entry "(no reply)", so the
// log shows where the module did not answer.
using LogEntrySink = std::function<void(LogDirection direction, const std::string& text)>;
void TapChannel(TCOMQX7Object& channel, const LogEntrySink& entry);

class SessionLog {
public:
    explicit SessionLog(std::string program) : program_(std::move(program)) {}

    // From now on the channel's traffic is logged, after its header line.
    void Tap(TCOMQX7Object& channel, const HostSerialSettings& settings, const PortMap& ports);

    // Every line so far, in order.
    std::vector<std::string> Lines() const;
    // Saves the lines as a text file (SaveFileContent). EFileWriteError
    // with the system's reason on failure.
    void SaveTo(const std::string& path) const;

private:
    void Add(std::string line);

    std::string program_;
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace qx
