#pragma once
// A serial device around a real one that adds what a pseudo-terminal cannot
// do (a low CTS line, a failing write or read) and records what the link
// asked of it. The test keeps the shared Faults record; the device goes to
// the code under test.

#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "serial/posix_serial_device.h"
#include "serial/serial_device.h"

namespace qx::test {

struct ReadCall {
    std::size_t maxBytes;
    CommTimeouts timeouts;
};

struct Faults {
    std::deque<CtsState> ctsAnswers;  // answered first, then the real device's
    bool failWrites = false;
    int failReadNumber = 0;  // 1-based read that fails; 0: none
    std::optional<OpenStatus> openOutcome;  // replaces the real open's outcome

    std::vector<ReadCall> reads;
    std::vector<std::string> calls;  // "cts", "purge-out", "purge-in", "write <text>", "read"
};

class FaultDevice : public SerialDevice {
public:
    explicit FaultDevice(std::shared_ptr<Faults> faults,
                         std::unique_ptr<SerialDevice> inner = std::make_unique<PosixSerialDevice>())
        : faults_(std::move(faults)), inner_(std::move(inner)) {}

    OpenStatus Open(const std::string& path, const LineSettings& settings) override {
        if (faults_->openOutcome) return *faults_->openOutcome;
        return inner_->Open(path, settings);
    }
    void Close() override { inner_->Close(); }
    bool IsOpen() const override { return inner_->IsOpen(); }
    void SetTimeouts(const CommTimeouts& t) override { inner_->SetTimeouts(t); }
    CommTimeouts Timeouts() const override { return inner_->Timeouts(); }
    std::optional<int> CurrentRate() const override { return inner_->CurrentRate(); }

    std::optional<std::string> Read(std::size_t maxBytes) override {
        faults_->reads.push_back({maxBytes, inner_->Timeouts()});
        faults_->calls.push_back("read");
        auto data = inner_->Read(maxBytes);
        if (faults_->failReadNumber == static_cast<int>(faults_->reads.size())) return std::nullopt;
        return data;
    }
    bool Write(const std::string& text) override {
        faults_->calls.push_back("write " + text);
        if (faults_->failWrites) return false;
        return inner_->Write(text);
    }
    void Purge(unsigned flags) override {
        if (flags & kPurgeOutput) faults_->calls.push_back("purge-out");
        if (flags & kPurgeInput) faults_->calls.push_back("purge-in");
        inner_->Purge(flags);
    }
    CtsState Cts() const override {
        faults_->calls.push_back("cts");
        if (!faults_->ctsAnswers.empty()) {
            const CtsState s = faults_->ctsAnswers.front();
            faults_->ctsAnswers.pop_front();
            return s;
        }
        return inner_->Cts();
    }

private:
    std::shared_ptr<Faults> faults_;
    std::unique_ptr<SerialDevice> inner_;
};

}  // namespace qx::test
