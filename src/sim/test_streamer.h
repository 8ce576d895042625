#pragma once
// The result lines of the radio test modes, one every kPeriod:
//
//   tests 1 and 2 (receive BER, transmit and receive BER), seven tokens:
//     <block> <errors> x <level> <total errors> <total missed> <total kbit>
//     e.g. "12 0 x -72 1 0 24"
//   test 3 (RSSI):  "RSSI -72 dBm"
//
// Test 0 (transmit BER) sends nothing. Lines end with CR LF.

#include "sim/sim_clock.h"

#include <optional>
#include <string>

namespace qx::sim {

class TestStreamer {
public:
    static constexpr Millis kPeriod{200};

    // Starts (or resumes) streaming for `test`; test 0 never streams.
    void Start(int test, TimePoint now);
    void Stop() { test_ = 0; }
    std::optional<TimePoint> NextDue() const;
    // The next line when it is due.
    std::optional<std::string> Poll(TimePoint now);

private:
    std::string NextLine();

    int test_ = 0;
    TimePoint next_{};
    unsigned block_ = 0;
    unsigned totalErrors_ = 0;
};

}  // namespace qx::sim
