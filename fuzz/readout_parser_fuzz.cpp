// libFuzzer target: any bytes as a module's answer to "AT&V", parsed as a
// module read does for both models; then the command list that Configure
// would build from what was read.

#include <cstdint>
#include <string>

#include "operations/workspace.h"
#include "config/command_builder.h"
#include "config/readout_parser.h"
#include "support/check.h"
#include "support/silent_prompter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string listing(reinterpret_cast<const char*>(data), size);
    for (const auto& variant : {qx::ModelVariant::Main(), qx::ModelVariant::Basic()}) {
        qx::fuzz::SilentPrompter prompter;
        qx::Workspace ws(variant, prompter, qx::FixedSystemAddress(17));
        ws.StartUp();
        ws.replyText = listing;
        try {
            qx::ProcessReadConfig(ws.config, ws.replyText, ws.s21Reference, qx::ReadoutSource::Module);
        } catch (const qx::EConvertError&) {
        }
        // The parser only ever cuts the text from the front.
        QX_FUZZ_CHECK(ws.replyText.size() <= listing.size());
        QX_FUZZ_CHECK(listing.compare(listing.size() - ws.replyText.size(), ws.replyText.size(), ws.replyText) == 0);
        if (ws.config.Mode() != qx::OperatingMode::None) {
            for (const std::string& line : qx::BuildConfigCommandList(ws.config)) QX_FUZZ_CHECK(line.size() <= 255);
        }
    }
    return 0;
}
