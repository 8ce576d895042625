#pragma once
// The progress window of qxcfg: status texts on standard error, one line
// each, or a redrawn bar when standard error is a terminal.

#include <atomic>
#include <ostream>
#include <string>

#include "app/progress_sink.h"

namespace qx::cli {

class CliProgress : public ProgressSink {
public:
    CliProgress(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}

    void SetText(const std::string& text) override;
    void SetPosition(int position) override;
    void SetMax(int max) override;
    void Step() override { SetPosition(position_ + 1); }
    void Refresh() override {}
    void Close() override;

    bool Closed() const { return closed_; }

private:
    void Redraw();

    std::ostream& err_;
    bool terminal_;
    std::string text_;
    int position_ = 0;
    int max_ = 0;
    std::atomic<bool> closed_{false};
};

}  // namespace qx::cli
