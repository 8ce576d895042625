#pragma once
// Finds a module whose serial rate and character format are not known: tries
// the host settings one after the other, each with a short probe, and stops at
// the first at which the module identifies itself.
//
// A full wake at every setting would take twenty seconds each, so the scan
// uses short waits of its own: a lone CR with a brief wait at every setting,
// the escape sequence (with the factory guard time of silence around it) only
// at the first setting of each rate, and "ATI" only where something answered.
// On a silent port a full scan of 12 rates x 5 formats takes about 35 s,
// and each further escape character tried adds about 1.4 s per rate.

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/operation_outcome.h"
#include "operations/operation_context.h"
#include "serial/host_serial_settings.h"

namespace qx {

// The probe's own waits.
struct FindTimings {
    std::chrono::milliseconds probeWait{40};         // reply wait after the lone CR (one short read)
    std::chrono::milliseconds escapeGuard{1000};     // silence before the escape: the factory guard time (S1 = 50)
    std::chrono::milliseconds escapeReplyWait{600};  // the escape's reply wait, past the guard time after it
    std::chrono::milliseconds identifyWait{100};     // the "ATI" wait, only where something answered
};

struct FindAttempt {
    std::size_t number = 0;  // 1-based
    std::size_t count = 0;
    HostSerialSettings settings;
};

struct FindCallbacks {
    // Before each setting is tried (on the scanning thread); may be empty.
    std::function<void(const FindAttempt&)> trying;
    // Polled between exchanges: true ends the scan (at most one exchange later).
    std::function<bool()> cancelled;
};

struct FindResult {
    // Done when found; Cancelled; Failed (an Own report) when nothing
    // answered.
    OperationOutcome outcome;
    bool Found() const { return outcome.IsDone(); }
    HostSerialSettings settings{};    // where the module answered
    std::optional<int> escapeCode{};  // the escape character it answered, when one of those given woke it
    std::string identification{};     // its identification line
    std::size_t attempts = 0;      // settings tried
};

// The order of the scan: `current` first, then 9600 N-8-1, the other rates with
// N-8-1, then the other formats (E-7-1, O-7-1, E-7-2, O-7-2) at every rate.
// Rates go from the most used to the least (9600, 19200, 38400, 57600,
// 115200, 4800, 2400, 1200, 14400, 28800, 31250, 76800). Every setting once,
// all on current's port.
std::vector<HostSerialSettings> FindOrder(const HostSerialSettings& current);

// "19200 E-7-1".
std::string SettingsText(const HostSerialSettings& settings);

// The first line of an answer to "ATI" that is neither empty nor the echoed
// command; empty when there is none.
std::string IdentificationLine(const std::string& reply);

// "No module answered at any serial rate or format (60 tried)."
std::string NotFoundText(std::size_t attempts);

// Scans from `current` through FindOrder with channels from `open` (an error
// opening the port ends the scan and propagates). Where the escape sequence
// is tried, each of `escapeCodes` is tried in turn until the module answers
// (a module in data mode whose user gave it another escape character);
// none: the channel's own.
FindResult FindModule(const HostSerialSettings& current, const ChannelFactory& open, const FindCallbacks& callbacks,
                      const FindTimings& timings = {}, const std::vector<int>& escapeCodes = {});

}  // namespace qx
