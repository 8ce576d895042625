#pragma once
// A serial device that passes everything to the real one and counts what
// the exchange itself costs: the bytes on the line and the interval
// time-out that ends each reply wait.

#include <memory>

#include "serial/serial_device.h"

namespace qx::bench {

struct LineCost {
    long long bytes = 0;     // written and read
    long long waitsMs = 0;   // one interval time-out per command written
    int exchanges = 0;
};

class RecordingDevice : public SerialDevice {
public:
    RecordingDevice(std::unique_ptr<SerialDevice> inner, LineCost& cost) : inner_(std::move(inner)), cost_(cost) {}

    OpenStatus Open(const std::string& path, const LineSettings& s) override { return inner_->Open(path, s); }
    void Close() override { inner_->Close(); }
    bool IsOpen() const override { return inner_->IsOpen(); }
    void SetTimeouts(const CommTimeouts& t) override { inner_->SetTimeouts(t); }
    CommTimeouts Timeouts() const override { return inner_->Timeouts(); }
    std::optional<int> CurrentRate() const override { return inner_->CurrentRate(); }
    std::optional<std::string> Read(std::size_t maxBytes) override;
    bool Write(const std::string& text) override;
    void Purge(unsigned flags) override { inner_->Purge(flags); }
    CtsState Cts() const override { return inner_->Cts(); }

private:
    std::unique_ptr<SerialDevice> inner_;
    LineCost& cost_;
};

}  // namespace qx::bench
