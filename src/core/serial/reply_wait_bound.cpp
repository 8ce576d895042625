#include "serial/reply_wait_bound.h"

#include <algorithm>

#include "serial/vv_comm.h"

namespace qx {

ReadPlan PlanReplyReads(const std::string& expected, bool longReply) {
    if (longReply) return {TVVComm::kReadBufferSize, 10};
    // The read buffer holds 255 bytes; a longer expected text cannot make a
    // read larger than the buffer.
    return {std::min(expected.size() + 20, TVVComm::kReadBufferSize), 20};
}

CommTimeouts ExchangeTimeouts(int timeoutMs) { return {timeoutMs, 3, timeoutMs, 10, 10}; }

std::chrono::milliseconds ReplyWaitBound(const std::string& command, const std::string& expected, int timeoutMs) {
    const CommTimeouts t = ExchangeTimeouts(timeoutMs);
    const ReadPlan plan = PlanReplyReads(expected, IsLongReplyCommand(command));
    const long long write = t.writeTotalConstantMs + t.writeTotalMultiplierMs * static_cast<long long>(command.size());
    const long long read = t.readTotalConstantMs + t.readTotalMultiplierMs * static_cast<long long>(plan.size);
    const int reads = expected.empty() ? 1 : plan.count;
    return std::chrono::milliseconds(write + reads * read);
}

}  // namespace qx
