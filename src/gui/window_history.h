#pragma once
// The window's module history: where the file is, the recorder its module
// operations keep their entries with, and the notices that come of it. The
// recorder tells them on the thread that recorded (an operation's worker);
// they wait here until the window's own thread takes them.

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "history/history_recorder.h"

namespace qx::gui {

class WindowHistory {
public:
    // `path`: the history file; none: the default place (QX_HISTORY, else
    // the user's data folder).
    explicit WindowHistory(std::string program, std::optional<std::string> path = std::nullopt);

    HistoryRecorder& Recorder() { return recorder_; }
    // The history file; EHistoryError when the environment names no place for it.
    std::string Path() const;
    // The notices given since the last call, each reason once a run.
    std::vector<std::string> TakeNotices();

private:
    const std::optional<std::string> path_;
    std::mutex mutex_;
    std::vector<std::string> notices_;
    HistoryRecorder recorder_;  // after what its notice reaches
};

}  // namespace qx::gui
