#include "recording_device.h"

namespace qx::bench {

std::optional<std::string> RecordingDevice::Read(std::size_t maxBytes) {
    auto data = inner_->Read(maxBytes);
    if (data) cost_.bytes += static_cast<long long>(data->size());
    return data;
}

bool RecordingDevice::Write(const std::string& text) {
    cost_.bytes += static_cast<long long>(text.size());
    cost_.waitsMs += inner_->Timeouts().readInterval.count();
    ++cost_.exchanges;
    return inner_->Write(text);
}

}  // namespace qx::bench
