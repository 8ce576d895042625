#include "serial/reply_wait_bound.h"

#include <algorithm>

#include "serial/vv_comm.h"

namespace qx {

using namespace std::chrono_literals;

ReadPlan PlanReplyReads(const std::string& expected, bool longReply) {
    if (longReply) return {TVVComm::kReadBufferSize, 10};
    // The read buffer holds 255 bytes; a longer expected text cannot make a
    // read larger than the buffer.
    return {std::min(expected.size() + 20, TVVComm::kReadBufferSize), 20};
}

CommTimeouts ExchangeTimeouts(std::chrono::milliseconds wait) {
    return {.readInterval = wait,
            .readTotalPerByte = 3ms,
            .readTotalConstant = wait,
            .writeTotalPerByte = 10ms,
            .writeTotalConstant = 10ms};
}

std::chrono::milliseconds ReplyWaitBound(const std::string& command, const std::string& expected,
                                         std::chrono::milliseconds wait) {
    const CommTimeouts t = ExchangeTimeouts(wait);
    const ReadPlan plan = PlanReplyReads(expected, IsLongReplyCommand(command));
    const auto write = t.writeTotalConstant + t.writeTotalPerByte * static_cast<long long>(command.size());
    const auto read = t.readTotalConstant + t.readTotalPerByte * static_cast<long long>(plan.size);
    const int reads = expected.empty() ? 1 : plan.count;
    return write + reads * read;
}

}  // namespace qx
