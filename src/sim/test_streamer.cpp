#include "sim/test_streamer.h"

namespace qx::sim {

void TestStreamer::Start(int test, TimePoint now) {
    test_ = test;
    next_ = now + kPeriod;
}

std::optional<TimePoint> TestStreamer::NextDue() const {
    if (test_ == 0) return std::nullopt;
    return next_;
}

std::optional<std::string> TestStreamer::Poll(TimePoint now) {
    if (test_ == 0 || now < next_) return std::nullopt;
    // After a long stall the stream resumes at its pace instead of bursting.
    next_ = now - next_ > kPeriod ? now + kPeriod : next_ + kPeriod;
    return NextLine();
}

std::string TestStreamer::NextLine() {
    ++block_;
    const int level = -70 - static_cast<int>(block_ % 5);
    if (test_ == 3) return "RSSI " + std::to_string(level) + " dBm\r\n";
    const unsigned errors = block_ % 7 == 3 ? 1 : 0;
    totalErrors_ += errors;
    const unsigned missed = test_ == 2 ? block_ / 11 : 0;
    return std::to_string(block_) + " " + std::to_string(errors) + " x " + std::to_string(level) + " " +
           std::to_string(totalErrors_) + " " + std::to_string(missed) + " " + std::to_string(block_ * 2) + "\r\n";
}

}  // namespace qx::sim
