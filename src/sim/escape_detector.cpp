#include "sim/escape_detector.h"

namespace qx::sim {

void EscapeDetector::Restart(TimePoint now) {
    lastInput_ = now;
    count_ = 0;
}

void EscapeDetector::Feed(char c, char escapeChar, Millis guard, TimePoint now) {
    const bool quietBefore = now - lastInput_ >= guard;
    if (c != escapeChar) {
        count_ = 0;
    } else if (count_ == 0 || quietBefore) {
        // A pause of a whole guard time before an escape character starts a
        // new sequence; without it the character is data.
        count_ = quietBefore ? 1 : 0;
    } else {
        count_ = count_ < 3 ? count_ + 1 : 0;
    }
    lastInput_ = now;
}

bool EscapeDetector::Complete(TimePoint now, Millis guard) const {
    return count_ == 3 && now - lastInput_ >= guard;
}

std::optional<TimePoint> EscapeDetector::Deadline(Millis guard) const {
    if (count_ != 3) return std::nullopt;
    return lastInput_ + guard;
}

}  // namespace qx::sim
