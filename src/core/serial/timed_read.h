#pragma once
// The read time-outs of a serial port, apart from what is read: a read of N
// bytes ends when N bytes have come, when the interval time-out passes after
// a received byte without another one (the interval clock starts at the
// first byte), or when N x the per-byte time-out + the constant one have
// passed since the read began. A read that times out without data succeeds empty.
// The termios device and the network device both read by these rules.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "serial/serial_device.h"

namespace qx {

// Milliseconds on the steady clock.
long long SteadyNowMs();

inline constexpr long long kNoDeadline = -1;

// Milliseconds left until `deadline`, as poll() takes them: -1 waits for ever.
int MsUntil(long long deadline);

// When an operation on `bytes` bytes under a per-byte and a constant
// time-out ends: kNoDeadline when both are zero.
long long Deadline(std::chrono::milliseconds perByte, std::chrono::milliseconds constant, std::size_t bytes);

enum class WaitResult { Ready, TimedOut, Failed };

struct ReadSource {
    // Waits at most `ms` milliseconds (-1: for ever) until bytes may be taken.
    std::function<WaitResult(int ms)> wait;
    // Appends up to `maxBytes` bytes that have come to `out` (possibly none,
    // when what came was no data); false when the source failed or ended.
    std::function<bool(std::size_t maxBytes, std::string& out)> take;
};

// One read of up to `maxBytes` bytes under `timeouts`; no value when the
// source failed, whatever it had gathered.
std::optional<std::string> TimedRead(const CommTimeouts& timeouts, std::size_t maxBytes, const ReadSource& source);

// How a write bounded by a deadline ended: all of it taken, cut short by
// the deadline, or failed.
enum class WriteEnd { Done, TimedOut, Failed };

}  // namespace qx
