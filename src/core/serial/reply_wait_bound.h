#pragma once
// How a reply wait is made, and how long it may last. TVVComm collects a
// command's reply in reads of a planned size and number (larger and fewer
// for the three long-reply commands), each read ending at the latest
// after its total time-out; a module that never answers makes the wait
// run to the end of every read. The bound is what a front end tells a
// user who waits.

#include <chrono>
#include <cstddef>
#include <string>

#include "serial/serial_device.h"

namespace qx {

struct ReadPlan {
    std::size_t size;  // bytes asked for by each read
    int count;         // reads at most
};

// The reads of one exchange's reply wait.
ReadPlan PlanReplyReads(const std::string& expected, bool longReply);

// The time-outs of an exchange whose caller waits `wait`: both the
// interval and the constant part of the read time-out.
CommTimeouts ExchangeTimeouts(std::chrono::milliseconds wait);

// The longest the exchange of `command` can take, its write included, when
// nothing it waits for arrives (an empty `expected` waits one read).
std::chrono::milliseconds ReplyWaitBound(const std::string& command, const std::string& expected,
                                         std::chrono::milliseconds wait);

}  // namespace qx
