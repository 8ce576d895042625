#include "cli/cli_progress.h"

namespace qx::cli {

void CliProgress::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    if (terminal_)
        Redraw();
    else
        err_ << text << '\n' << std::flush;
}

void CliProgress::SetPosition(int position) {
    position_ = position;
    if (terminal_) Redraw();
}

void CliProgress::SetMax(int max) {
    max_ = max;
    if (terminal_) Redraw();
}

void CliProgress::Close() {
    if (terminal_) err_ << '\n' << std::flush;
    closed_ = true;
}

void CliProgress::Redraw() {
    constexpr int kWidth = 30;
    const int filled = max_ > 0 ? std::min(kWidth, std::max(0, position_ * kWidth / max_)) : 0;
    err_ << "\r\033[K[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] " << text_ << std::flush;
}

}  // namespace qx::cli
