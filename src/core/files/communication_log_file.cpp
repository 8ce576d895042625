#include "files/communication_log_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

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
    const auto millis = floor<milliseconds>(when.time_since_epoch());
    const auto whole = floor<seconds>(millis);
    const std::time_t secondsSinceEpoch = static_cast<std::time_t>(whole.count());
    const int fraction = static_cast<int>((millis - whole).count());
    std::tm utc{};
    gmtime_r(&secondsSinceEpoch, &utc);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, fraction);
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
