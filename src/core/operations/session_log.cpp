#include "operations/session_log.h"

#include "files/file_save.h"

namespace qx {

std::string ChannelLogHeader(const std::string& program, const TCOMQX7Object& channel,
                             const HostSerialSettings& settings, const PortMap& ports) {
    const SerialSettingsTexts line = DisplaySerialSettings(settings);
    return FormatLogHeader(program + ", model " + channel.GetProductName() + ", port " + PortName(settings.PortIndex) +
                           " " + ports.PathFor(settings.PortIndex) + ", " + line.rate + " " + line.other +
                           ", started " + LogTimestamp(std::chrono::system_clock::now()));
}

void TapChannel(TCOMQX7Object& channel, const LogEntrySink& entry) {
    channel.SetSendTap([entry](const std::string& text) { entry(LogDirection::Sent, text); });
    channel.SetReplyTap([entry](const std::string& text) {
        entry(LogDirection::Received, text.empty() ? "(no reply)" : text);
    });
}

void SessionLog::Tap(TCOMQX7Object& channel, const HostSerialSettings& settings, const PortMap& ports) {
    Add(ChannelLogHeader(program_, channel, settings, ports));
    TapChannel(channel, [this](LogDirection direction, const std::string& text) {
        Add(FormatLogLine(LogEntry{std::chrono::system_clock::now(), text, direction}));
    });
}

std::vector<std::string> SessionLog::Lines() const {
    const std::lock_guard lock(mutex_);
    return lines_;
}

void SessionLog::SaveTo(const std::string& path) const {
    std::string content;
    for (const std::string& line : Lines()) content += line + "\n";
    SaveFileContent(path, content);
}

void SessionLog::Add(std::string line) {
    const std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
}

}  // namespace qx
