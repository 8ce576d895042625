#pragma once
// Faults the simulator can inject, named on the command line:
//   silent        never sends anything
//   reject-xon    firmware refuses "AT&K5" (XON/XOFF flow control) with ERROR
//   drop-after:N  sends nothing more once N replies have gone out
//   garbage       every byte it sends is random (never plain ASCII)
//   slow:MS       every reply goes out MS milliseconds late
//   slow:MS:CMD   only the answer to a line holding the command CMD does
//   numeric       starts with numeric result codes (as after "ATV0")
//   ignore-sreg:N answers "ATSN=v" with OK but keeps the old value (so what
//                 it stores is not what the host wrote)
//   listing-cut:K lays out its "AT&V" listing (unpadded) so that a host's
//                 first 255-byte read ends K bytes into the "&Z3=" entry
//   hangup-after:CMD  once it has answered a line holding the command CMD
//                 (e.g. AT&W), it hangs up: the link goes and the line is
//                 dead, as when an adapter is pulled

#include "sim/module.h"
#include "sim/sim_clock.h"

#include <optional>
#include <random>
#include <string>

namespace qx::sim {

struct FaultSet {
    bool silent = false;
    bool rejectXon = false;
    std::optional<unsigned> dropAfter;
    bool garbage = false;
    Millis slow{0};
    std::optional<std::string> slowOnly;  // the command whose answer is late
    bool numeric = false;
    std::optional<unsigned> ignoreSReg;
    std::optional<unsigned> listingCut;
    std::optional<std::string> hangupAfter;
};

// Adds the fault `text` to `faults`; false when it is not one of the above.
bool AddFault(const std::string& text, FaultSet& faults);

// Applies silent, drop-after and garbage to what the module sends, and
// says which replies are late and after which the line hangs up.
class OutputFaults {
public:
    explicit OutputFaults(const FaultSet& faults) : faults_(faults), random_(std::random_device{}()) {}

    // The bytes that really go out for `output`.
    std::string Filter(const Output& output);
    // How late `output` goes out.
    Millis Delay(const Output& output) const;
    // Whether the line goes dead once `output` is out.
    bool HangsUpAfter(const Output& output) const;

private:
    FaultSet faults_;
    unsigned repliesSent_ = 0;
    std::mt19937 random_;
};

}  // namespace qx::sim
