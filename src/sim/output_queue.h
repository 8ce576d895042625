#pragma once
// What the module has said but not yet sent, in order, each piece with the
// moment it is due (a slow module holds its replies back).

#include "sim/module.h"
#include "sim/sim_clock.h"

#include <deque>
#include <optional>
#include <vector>

namespace qx::sim {

class OutputQueue {
public:
    // Queued after everything before it: a late reply also holds back what
    // follows it.
    void Push(Output output, TimePoint due);
    std::optional<TimePoint> NextDue() const;
    std::vector<Output> TakeDue(TimePoint now);

private:
    struct Entry {
        TimePoint due;
        Output output;
    };
    std::deque<Entry> entries_;
};

}  // namespace qx::sim
