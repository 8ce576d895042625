#pragma once
// Recognises the escape sequence in data mode: the escape character (S2)
// three times, with at least the guard time of silence before the first one,
// less than the guard time between them, and the guard time of silence
// after the third. Any other input in between makes it ordinary data.

#include "sim/sim_clock.h"

#include <optional>

namespace qx::sim {

class EscapeDetector {
public:
    // Silence counts from `now` (the moment an on-line mode is entered).
    void Restart(TimePoint now);
    void Feed(char c, char escapeChar, Millis guard, TimePoint now);
    // The three characters have been followed by the guard time of silence.
    bool Complete(TimePoint now, Millis guard) const;
    // When Complete() will become true if nothing else arrives.
    std::optional<TimePoint> Deadline(Millis guard) const;

private:
    TimePoint lastInput_{};
    int count_ = 0;
};

}  // namespace qx::sim
