#include "sim/output_queue.h"

#include <algorithm>

namespace qx::sim {

void OutputQueue::Push(Output output, TimePoint due) {
    if (!entries_.empty()) due = std::max(due, entries_.back().due);
    entries_.push_back({due, std::move(output)});
}

std::optional<TimePoint> OutputQueue::NextDue() const {
    if (entries_.empty()) return std::nullopt;
    return entries_.front().due;
}

std::vector<Output> OutputQueue::TakeDue(TimePoint now) {
    std::vector<Output> due;
    while (!entries_.empty() && entries_.front().due <= now) {
        due.push_back(std::move(entries_.front().output));
        entries_.pop_front();
    }
    return due;
}

}  // namespace qx::sim
