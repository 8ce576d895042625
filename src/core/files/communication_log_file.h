#pragma once
// The communication log as a text file: one line per entry, the time it was
// received first (UTC, to the millisecond), then the text with CR, LF,
// backslash and other control bytes written visibly (\r, \n, \\, \xHH):
//
//   2024-05-01T12:34:56.789Z  \r\nOK\r\n
//
// qxcfg writes the replies of every channel it opens as they arrive
// (--log FILE); the window records its log with the time of each entry and
// saves it on request.

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class WorkingConfig;

struct LogEntry {
    std::chrono::system_clock::time_point when;
    std::string text;
};

// The text with CR, LF, backslash and every other byte outside printable
// ASCII written as \r, \n, \\ and \xHH: always one line.
std::string ReadableLogText(std::string_view text);

// "2024-05-01T12:34:56.789Z" (UTC).
std::string LogTimestamp(std::chrono::system_clock::time_point when);

// Timestamp, two spaces, readable text (no line end).
std::string FormatLogLine(const LogEntry& entry);

enum class LogFileMode { Append, Replace };

class CommunicationLogFile {
public:
    // Opens (creates) the file; EFileWriteError names the path and the
    // system's reason when that fails.
    CommunicationLogFile(const std::string& path, LogFileMode mode);

    // One line, flushed at once so that a log survives a program that ends
    // abruptly; EFileWriteError when the write fails.
    void Write(const LogEntry& entry);
    void Write(std::string_view text) { Write(LogEntry{std::chrono::system_clock::now(), std::string(text)}); }

private:
    std::string path_;
    std::ofstream out_;
};

// Every entry, in a new file (or over an old one).
void SaveLogEntries(const std::string& path, const std::vector<LogEntry>& entries);

// While it lives, every text appended to the configuration's communication
// log reaches `onEntry` as one entry, without the line end that ends it in
// the log.
class LogFollower {
public:
    LogFollower(WorkingConfig& config, std::function<void(const std::string& entry)> onEntry);
    ~LogFollower();
    LogFollower(const LogFollower&) = delete;
    LogFollower& operator=(const LogFollower&) = delete;

private:
    WorkingConfig& config_;
    std::function<void(const std::string&)> onEntry_;
    std::size_t seen_ = 0;
    int token_ = 0;
};

}  // namespace qx
