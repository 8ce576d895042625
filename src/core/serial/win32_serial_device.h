#pragma once
// The serial port on Windows: a communications port opened for exclusive
// use with CreateFileW ("COM3" through the device namespace, "\\.\COM3", so
// that COM10 and above open too), its line set in the device control block,
// and the link's reply waits handed to the port itself as its
// COMMTIMEOUTS, which work exactly by the rules of SerialDevice.

#include "app/win32_handle.h"
#include "serial/serial_device.h"

namespace qx {

class Win32SerialDevice : public SerialDevice {
public:
    Win32SerialDevice() = default;
    ~Win32SerialDevice() override;

    OpenStatus Open(const std::string& path, const LineSettings& settings) override;
    void Close() override;
    bool IsOpen() const override { return handle_.Valid(); }

    void SetTimeouts(const CommTimeouts& timeouts) override;
    CommTimeouts Timeouts() const override { return timeouts_; }
    std::optional<int> CurrentRate() const override;

    std::optional<std::string> Read(std::size_t maxBytes) override;
    bool Write(const std::string& text) override;
    void Purge(unsigned flags) override;
    CtsState Cts() const override;

private:
    void ApplyLineSettings(const LineSettings& settings);
    // Clears the port's error state after a failed call, so that the next
    // read or write is not refused for an old error.
    void ClearErrors() const;
    bool OutputQueued() const;

    UniqueHandle handle_;
    CommTimeouts timeouts_;
};

}  // namespace qx
