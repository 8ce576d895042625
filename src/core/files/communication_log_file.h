#pragma once
// The communication log as a text file: one line per entry, the time it
// was sent or received (UTC, to the millisecond), the port when several
// ports share the log, ">" for what was sent and "<" for what came back,
// and the text with CR, LF, backslash and other control bytes written
// visibly (\r, \n, \\, \xHH):
//
//   # qxcfg 1.61 (build 27), model QX7T-R, port COM1 /dev/ttyUSB0, 9600 N-8-1, started 2024-05-01T12:34:56.780Z
//   2024-05-01T12:34:56.789Z > \r
//   2024-05-01T12:34:56.840Z < \r\nOK\r\n
//
// qxcfg writes what every channel it opens sends and receives (--log FILE),
// a header line each time a channel opens; the window keeps the same lines
// for its whole session (SessionLog) and saves them on request.

#include <chrono>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/unique_fd.h"

namespace qx {

enum class LogDirection : char { Sent = '>', Received = '<' };

struct LogEntry {
    std::chrono::system_clock::time_point when;
    std::string text;
    LogDirection direction = LogDirection::Received;
    std::string port = {};  // named on the line when not empty
};

// The text with CR, LF, backslash and every other byte outside printable
// ASCII written as \r, \n, \\ and \xHH: always one line.
std::string ReadableLogText(std::string_view text);

// "2024-05-01T12:34:56.789Z" (UTC).
std::string LogTimestamp(std::chrono::system_clock::time_point when);

// Timestamp, the port (when named), the direction mark and the readable
// text, separated by single spaces (no line end).
std::string FormatLogLine(const LogEntry& entry);

// "# " and the text: a line that says what follows (program, model, port,
// line settings, start time), told from the entries by its first byte.
std::string FormatLogHeader(std::string_view text);

// A log file that grows while a command runs: opened for appending (see
// OpenFileForAppend: a link is followed, a terminal or FIFO is written as it
// is), each line written whole with one write, so that lines of several
// ports, threads or programs sharing the file never mix within a line, and
// at once, so that a log survives a program that ends abruptly.
class CommunicationLogFile {
public:
    // EFileWriteError names the path and the system's reason when the file
    // cannot be opened.
    explicit CommunicationLogFile(const std::string& path);

    // EFileWriteError when the write fails. Safe to call from several threads.
    void Write(const LogEntry& entry) { WriteLine(FormatLogLine(entry)); }
    void WriteLine(std::string_view line);

private:
    std::string path_;
    UniqueFd fd_;
    std::mutex writing_;
};

}  // namespace qx
