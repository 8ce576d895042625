#include "serial/timed_read.h"

#include <chrono>

namespace qx {

long long SteadyNowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int MsUntil(long long deadline) {
    if (deadline == kNoDeadline) return -1;
    const long long left = deadline - SteadyNowMs();
    return left <= 0 ? 0 : static_cast<int>(left);
}

long long Deadline(std::chrono::milliseconds perByte, std::chrono::milliseconds constant, std::size_t bytes) {
    const long long total = (perByte * static_cast<long long>(bytes) + constant).count();
    return total > 0 ? SteadyNowMs() + total : kNoDeadline;
}

std::optional<std::string> TimedRead(const CommTimeouts& timeouts, std::size_t maxBytes, const ReadSource& source) {
    std::string data;
    if (maxBytes == 0) return data;
    const long long totalDeadline = Deadline(timeouts.readTotalPerByte, timeouts.readTotalConstant, maxBytes);
    const long long interval = timeouts.readInterval.count();
    long long lastByteAt = 0;
    while (data.size() < maxBytes) {
        long long deadline = totalDeadline;
        if (!data.empty() && interval > 0) {
            const long long intervalDeadline = lastByteAt + interval;
            if (deadline == kNoDeadline || intervalDeadline < deadline) deadline = intervalDeadline;
        }
        const WaitResult ready = source.wait(MsUntil(deadline));
        if (ready == WaitResult::Failed) return std::nullopt;
        if (ready == WaitResult::TimedOut) break;  // what came so far is the result
        const std::size_t before = data.size();
        if (!source.take(maxBytes - data.size(), data)) return std::nullopt;
        if (data.size() > before) lastByteAt = SteadyNowMs();
    }
    return data;
}

}  // namespace qx
