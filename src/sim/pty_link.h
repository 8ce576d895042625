#pragma once
// The pseudo-terminal that stands in for the module's serial port, and the
// symbolic link through which hosts find it.
//
// The simulator keeps its own descriptor of the slave side open for its
// whole life: a host may close the port and open it again as often as it
// likes without the master ever seeing a hang-up. That descriptor is never
// read; it only holds the line open and lets the line settings be read.

#include "sim/line_settings.h"
#include "sim/unique_fd.h"

#include <string>

namespace qx::sim {

class PtyLink {
public:
    // Opens a pty in raw mode at `initial` and points `linkPath` at its slave.
    // A symbolic link already at `linkPath` (left by an earlier run) is
    // replaced; any other file there is an error.
    PtyLink(std::string linkPath, const LineSettings& initial);
    ~PtyLink();
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;

    int Master() const { return master_.Get(); }
    int HeldSlave() const { return slave_.Get(); }
    const std::string& SlavePath() const { return slavePath_; }

private:
    UniqueFd master_;
    UniqueFd slave_;
    std::string slavePath_;
    std::string linkPath_;
};

}  // namespace qx::sim
