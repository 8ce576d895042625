#include "cli/log_option.h"

#include "app/version_block.h"
#include "cli/usage_error.h"
#include "files/file_errors.h"
#include "operations/session_log.h"

namespace qx::cli {

void LogOption::Open(const std::string& path) {
    if (path.empty()) throw UsageError("--log needs a file name");
    file = std::make_shared<CommunicationLogFile>(path);
    program = OwnVersionBanner("qxcfg");
}

void LogOption::Tap(TCOMQX7Object& channel, const HostSerialSettings& settings, const PortMap& ports,
                    LineSink echo, std::function<void()> failed) const {
    if (!file && !echo) return;
    // Says which failure it was, and lets it go on.
    auto noted = [failed](const auto& write) {
        try {
            write();
        } catch (const EFileError&) {
            if (failed) failed();
            throw;
        }
    };
    if (file) noted([&] { file->WriteLine(ChannelLogHeader(program, channel, settings, ports)); });
    const std::string port = markPorts ? ports.PathFor(settings.PortIndex) : std::string();
    TapChannel(channel, [log = file, echo, port, noted](LogDirection direction, const std::string& text) {
        if (echo) echo(std::string(1, static_cast<char>(direction)) + ' ' + ReadableLogText(text));
        if (log) noted([&] { log->Write(LogEntry{std::chrono::system_clock::now(), text, direction, port}); });
    });
}

}  // namespace qx::cli
