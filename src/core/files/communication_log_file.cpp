#include "files/communication_log_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/file_errors.h"
#include "files/file_save.h"

namespace qx {

namespace {

std::string WriteErrorText(const std::string& path, int error) {
    return "Cannot write " + path + ": " + std::strerror(error);
}

}  // namespace

std::string ReadableLogText(std::string_view text) {
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string LogTimestamp(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    const auto millis = floor<milliseconds>(when);
    const auto day = floor<days>(millis);
    const year_month_day date(day);
    const hh_mm_ss time(millis - day);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count()));
    return text;
}

std::string FormatLogLine(const LogEntry& entry) {
    std::string line = LogTimestamp(entry.when) + ' ';
    if (!entry.port.empty()) line += entry.port + ' ';
    line += static_cast<char>(entry.direction);
    line += ' ';
    return line + ReadableLogText(entry.text);
}

std::string FormatLogHeader(std::string_view text) { return "# " + std::string(text); }

CommunicationLogFile::CommunicationLogFile(const std::string& path) : path_(path), fd_(OpenFileForAppend(path)) {}

void CommunicationLogFile::WriteLine(std::string_view line) {
    const std::string whole = std::string(line) + '\n';
    const std::lock_guard<std::mutex> lock(writing_);
    if (!WriteAll(fd_.Get(), whole)) throw EFileWriteError(WriteErrorText(path_, errno));
}

}  // namespace qx
