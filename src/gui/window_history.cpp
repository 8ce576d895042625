#include "window_history.h"

#include "history/history_location.h"

namespace qx::gui {

WindowHistory::WindowHistory(std::string program, std::optional<std::string> path)
    : path_(path),
      recorder_(
          std::move(program),
          [this](const std::string& text) {
              const std::lock_guard lock(mutex_);
              notices_.push_back(text);
          },
          std::move(path)) {}

std::string WindowHistory::Path() const { return path_ ? *path_ : DefaultHistoryPath(); }

std::vector<std::string> WindowHistory::TakeNotices() {
    const std::lock_guard lock(mutex_);
    return std::exchange(notices_, {});
}

}  // namespace qx::gui
