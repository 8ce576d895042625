// libFuzzer target: the reply wait fed by a device that returns whatever
// bytes the fuzzer chooses, in pieces of its choosing, sometimes failing.
// The device never waits, so every wait runs at full speed.
//
// A wait makes at most its planned number of reads (10 for a long reply,
// 20 for a short one), never asks for more than the 255-byte buffer, and
// hands exactly the bytes read to the receive handler, once. The command
// channel's checked exchange and wake raise only their own errors.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "serial/comqx7_object.h"
#include "serial/serial_errors.h"
#include "serial/vv_comm.h"
#include "support/check.h"
#include "support/scripted_device.h"

namespace {

using namespace std::chrono_literals;

std::string ChooseExpected(FuzzedDataProvider& input) {
    static const std::vector<std::string> kUsual = {"OK", "&Z3=", "\r", "V", "", "00"};
    const std::size_t pick = input.ConsumeIntegralInRange<std::size_t>(0, kUsual.size());
    if (pick < kUsual.size()) return kUsual[pick];
    return input.ConsumeRandomLengthString(235);
}

std::string ChooseCommand(FuzzedDataProvider& input) {
    static const std::vector<std::string> kCommands = {"AT&V\r", "ATI\r", "+++", "\r", "ATZ\r", "AT&K5\r", "---"};
    return kCommands[input.ConsumeIntegralInRange<std::size_t>(0, kCommands.size() - 1)];
}

void WaitOnPort(FuzzedDataProvider& input) {
    auto owned = std::make_unique<qx::fuzz::ScriptedDevice>(input);
    qx::fuzz::ScriptedDevice& device = *owned;
    qx::TVVComm port(std::move(owned), [](std::uint8_t) { return std::string("/dev/null"); });
    int deliveries = 0;
    std::string delivered;
    port.SetOnReceive([&](const std::string& text) {
        ++deliveries;
        delivered = text;
    });
    port.OpenPort();

    const bool poll = input.ConsumeBool();
    if (poll) {
        port.PollRead();
        QX_FUZZ_CHECK(device.reads == 1);
        QX_FUZZ_CHECK(deliveries == (device.returned.empty() ? 0 : 1));
    } else {
        const bool longReply = input.ConsumeBool();
        const std::string expected = ChooseExpected(input);
        const qx::ExchangeEnd end = port.ReadReply(expected, longReply);
        QX_FUZZ_CHECK(device.reads >= 1 && device.reads <= (longReply ? 10 : 20));
        QX_FUZZ_CHECK(deliveries == 1);
        // Answered only when what was delivered holds what was waited for.
        QX_FUZZ_CHECK(end != qx::ExchangeEnd::NotSent);
        QX_FUZZ_CHECK(end != qx::ExchangeEnd::Answered || qx::IsNumericOk(delivered) ||
                      delivered.find(expected) != std::string::npos);
    }
    QX_FUZZ_CHECK(device.largestRequest <= qx::TVVComm::kReadBufferSize);
    QX_FUZZ_CHECK(delivered == device.returned);
}

void ExchangeOnChannel(FuzzedDataProvider& input) {
    qx::HostSerialSettings settings;
    settings.BaudIndex = input.ConsumeIntegralInRange<std::uint8_t>(0, 11);
    auto owned = std::make_unique<qx::fuzz::ScriptedDevice>(input);
    owned->rate = qx::kHostRates[settings.BaudIndex].bitsPerSecond;
    qx::TCOMQX7Object channel(settings, qx::ChannelSetup{"QX7T-R", {}, {}}, std::move(owned));
    try {
        if (input.ConsumeBool()) {
            channel.Wake();
        } else {
            const std::string command = ChooseCommand(input);
            channel.SendExpect(command, ChooseExpected(input), 0ms);
        }
    } catch (const qx::EWriteCommError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool())
        WaitOnPort(input);
    else
        ExchangeOnChannel(input);
    return 0;
}
