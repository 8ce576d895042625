#pragma once
// The serial port on Linux: a terminal device in raw mode, read with poll()
// under the link's time-outs.
//
// Exclusive use: the device is locked with flock() on the open descriptor
// (which stops a second open by this or any other program that honours the
// lock, root included) and marked exclusive with TIOCEXCL (which stops
// other non-root programs that do not lock). Both are lifted on Close.

#include "serial/serial_device.h"
#include "app/unique_fd.h"

namespace qx {

class PosixSerialDevice : public SerialDevice {
public:
    PosixSerialDevice() = default;
    ~PosixSerialDevice() override;

    OpenStatus Open(const std::string& path, const LineSettings& settings) override;
    void Close() override;
    bool IsOpen() const override { return fd_.Valid(); }

    void SetTimeouts(const CommTimeouts& timeouts) override { timeouts_ = timeouts; }
    CommTimeouts Timeouts() const override { return timeouts_; }
    std::optional<int> CurrentRate() const override;

    std::optional<std::string> Read(std::size_t maxBytes) override;
    bool Write(const std::string& text) override;
    void Purge(unsigned flags) override;
    CtsState Cts() const override;

private:
    void ApplyLineSettings(const LineSettings& settings);
    bool WaitForDrain(long long deadlineMs) const;

    UniqueFd fd_;
    CommTimeouts timeouts_;
};

}  // namespace qx
