#pragma once
// A serial device that never waits: every read returns the next chunk the
// fuzzer chose (at most the bytes asked for), or fails when the fuzzer says
// so. Writes succeed, CTS "cannot tell" (so no write ever pauses). What
// each read returned is recorded for the target's checks.

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>
#include <string>
#include <vector>

#include "serial/serial_device.h"

namespace qx::fuzz {

class ScriptedDevice : public SerialDevice {
public:
    explicit ScriptedDevice(FuzzedDataProvider& input) : input_(input) {}

    OpenStatus Open(const std::string&, const LineSettings&) override {
        open = true;
        return OpenStatus::Opened;
    }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    void SetTimeouts(const CommTimeouts& t) override { timeouts_ = t; }
    CommTimeouts Timeouts() const override { return timeouts_; }
    std::optional<int> CurrentRate() const override { return rate; }

    std::optional<std::string> Read(std::size_t maxBytes) override {
        ++reads;
        largestRequest = std::max(largestRequest, maxBytes);
        if (input_.remaining_bytes() == 0) return std::string();  // a read that timed out
        if (input_.ConsumeIntegralInRange<int>(0, 31) == 0) return std::nullopt;  // the device failed
        const std::size_t size = input_.ConsumeIntegralInRange<std::size_t>(0, maxBytes);
        std::string chunk = input_.ConsumeBytesAsString(size);
        returned += chunk;
        return chunk;
    }
    bool Write(const std::string& text) override {
        written += text;
        return true;
    }
    void Purge(unsigned) override {}
    CtsState Cts() const override { return CtsState::CannotTell; }

    bool open = false;
    std::optional<int> rate = 9600;
    int reads = 0;
    std::size_t largestRequest = 0;
    std::string returned;  // everything the reads brought, in order
    std::string written;

private:
    FuzzedDataProvider& input_;
    CommTimeouts timeouts_;
};

}  // namespace qx::fuzz
