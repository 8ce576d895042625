// libFuzzer target: any bytes as a module listing and as a file line, then
// the same bytes as a configuration file on disk through the loader.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/workspace.h"
#include "config/readout_parser.h"
#include "files/config_file_commands.h"

namespace {

class SilentPrompter : public qx::Prompter {
public:
    qx::Answer Show(const qx::Message& message) override {
        return message.IsQuestion() ? qx::Answer::Yes : qx::Answer::Ok;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    SilentPrompter prompter;
    for (auto variant : {qx::ModelVariant::Main(), qx::ModelVariant::Basic()}) {
        for (auto source : {qx::ReadoutSource::Module, qx::ReadoutSource::File}) {
            qx::Workspace ws(variant, prompter, qx::FixedSystemAddress(17));
            ws.StartUp();
            ws.replyText = bytes;
            try {
                qx::ProcessReadConfig(ws.config, ws.replyText, ws.s21Reference, source);
            } catch (const qx::EConvertError&) {
            }
        }
    }
    // The loader, through a real file.
    char path[] = "/tmp/qx-fuzz-XXXXXX";
    const int fd = ::mkstemp(path);
    if (fd < 0) return 0;
    if (::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())) {
        qx::Workspace ws(qx::ModelVariant::Main(), prompter, qx::FixedSystemAddress(17));
        ws.StartUp();
        qx::LoadFromFile(ws, path);
    }
    ::close(fd);
    ::unlink(path);
    return 0;
}
