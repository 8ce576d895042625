// libFuzzer target: any bytes as a module's answer to "ATI". The
// identification line is a piece of the answer without a CR LF; the
// version's remainder is the end of that line; the status text and the
// S21 judgement work on whatever was found.

#include <cstdint>
#include <string>

#include "config/firmware_identification.h"
#include "support/check.h"
#include "support/silent_prompter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    const std::string line = qx::CutIdentificationText(reply, qx::ModelVariant::Main());
    QX_FUZZ_CHECK(line.find("\r\n") == std::string::npos);
    QX_FUZZ_CHECK(line.empty() || reply.find(line) != std::string::npos);

    const qx::FirmwareVersion firmware = qx::GetFirmwareVer(line);
    QX_FUZZ_CHECK(firmware.remainder.size() <= line.size());
    QX_FUZZ_CHECK(line.compare(line.size() - firmware.remainder.size(), firmware.remainder.size(),
                               firmware.remainder) == 0);
    QX_FUZZ_CHECK(firmware.version >= 0);

    const std::string status = qx::FirmwareStatusText(firmware);
    QX_FUZZ_CHECK(status.rfind("  V", 0) == 0);

    qx::fuzz::SilentPrompter prompter;
    const qx::FirmwareJudge judge{1, qx::ModelFamily::Main, "QX7T-R"};
    const bool warned = qx::CheckS21Support(firmware.version, judge, prompter);
    QX_FUZZ_CHECK(warned == (firmware.version <= qx::kS21FirmwareThreshold));
    QX_FUZZ_CHECK(prompter.shown == (warned ? 1 : 0));
    return 0;
}
