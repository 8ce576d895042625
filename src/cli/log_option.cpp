#include "cli/log_option.h"

#include "app/version_block.h"
#include "cli/usage_error.h"

namespace qx::cli {

void LogOption::Open(const std::string& path) {
    if (path.empty()) throw UsageError("--log needs a file name");
    file = std::make_shared<CommunicationLogFile>(path);
    program = OwnVersionBanner("qxcfg");
}

void LogOption::Tap(TCOMQX7Object& channel, const HostSerialSettings& settings, const PortMap& ports,
                    LineSink echo) const {
    if (!file && !echo) return;
    const std::string path = ports.PathFor(settings.PortIndex);
    const SerialSettingsTexts line = DisplaySerialSettings(settings);
    if (file)
        file->WriteLine(FormatLogHeader(program + ", model " + channel.GetProductName() + ", port " +
                                        PortName(settings.PortIndex) + " " + path + ", " + line.rate + " " +
                                        line.other + ", started " + LogTimestamp(std::chrono::system_clock::now())));
    const std::string port = markPorts ? path : std::string();
    auto entry = [log = file, echo, port](LogDirection direction, const std::string& text) {
        if (echo) echo(std::string(1, static_cast<char>(direction)) + ' ' + ReadableLogText(text));
        if (log) log->Write(LogEntry{std::chrono::system_clock::now(), text, direction, port});
    };
    channel.SetSendTap([entry](const std::string& text) { entry(LogDirection::Sent, text); });
    // A wait that ended with nothing is an entry too: it shows when the
    // module did not answer.
    channel.SetReplyTap([entry](const std::string& text) {
        entry(LogDirection::Received, text.empty() ? "(no reply)" : text);
    });
}

}  // namespace qx::cli
