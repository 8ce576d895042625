// libFuzzer target: a receive test's stream of result lines, cut into
// pieces at places the fuzzer chooses, through the test window's line
// splitter and parser. Where no CR directly follows another CR, the cuts
// must not matter: the fields shown are those of the uncut stream.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/ui_dispatcher.h"
#include "operations/ber_test_session.h"
#include "serial/comqx7_object.h"
#include "support/check.h"
#include "support/scripted_device.h"
#include "support/silent_prompter.h"

namespace {

using Shown = std::vector<std::pair<int, std::string>>;

class RecordingDisplay : public qx::TestDisplay {
public:
    void SetField(int position, const std::string& text) override {
        QX_FUZZ_CHECK(position >= 0 && position < qx::kTestFieldCount);
        shown.emplace_back(position, text);
    }
    Shown shown;
};

// Runs the pieces through a session of the given test; returns what the
// window showed.
Shown Feed(int testNumber, const std::vector<std::string>& pieces) {
    FuzzedDataProvider nothing(nullptr, 0);
    qx::TCOMQX7Object channel(qx::HostSerialSettings{}, qx::ChannelSetup{"QX7T-R", {}, {}},
                              std::make_unique<qx::fuzz::ScriptedDevice>(nothing));
    qx::DirectDispatcher ui;
    RecordingDisplay display;
    qx::fuzz::SilentPrompter prompter;
    qx::BerTestSession session(channel, testNumber, ui, display, prompter);
    for (const std::string& piece : pieces) session.TestDataReceived(piece);
    return display.shown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int testNumber = input.ConsumeIntegralInRange<int>(1, 3);
    std::vector<std::string> pieces;
    std::string whole;
    while (input.remaining_bytes() > 0) {
        const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, 300);
        pieces.push_back(input.ConsumeBytesAsString(length));
        whole += pieces.back();
    }
    const Shown cut = Feed(testNumber, pieces);
    if (whole.find("\r\r") == std::string::npos) QX_FUZZ_CHECK(cut == Feed(testNumber, {whole}));
    return 0;
}
