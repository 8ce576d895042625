#include "cli/log_option.h"

#include "app/version_block.h"
#include "cli/usage_error.h"
#include "operations/session_log.h"

namespace qx::cli {

void LogOption::Open(const std::string& path) {
    if (path.empty()) throw UsageError("--log needs a file name");
    file = std::make_shared<CommunicationLogFile>(path);
    program = OwnVersionBanner("qxcfg");
}

void LogOption::Tap(TCOMQX7Object& channel, const HostSerialSettings& settings, const PortMap& ports,
                    LineSink echo) const {
    if (!file && !echo) return;
    if (file) file->WriteLine(ChannelLogHeader(program, channel, settings, ports));
    const std::string port = markPorts ? ports.PathFor(settings.PortIndex) : std::string();
    TapChannel(channel, [log = file, echo, port](LogDirection direction, const std::string& text) {
        if (echo) echo(std::string(1, static_cast<char>(direction)) + ' ' + ReadableLogText(text));
        if (log) log->Write(LogEntry{std::chrono::system_clock::now(), text, direction, port});
    });
}

}  // namespace qx::cli
