#include "sim/module.h"

#include <algorithm>
#include <utility>

namespace qx::sim {
namespace {

constexpr std::size_t kMaxLine = 255;

}  // namespace

Module::Module(ModuleOptions options, const ModuleSettings& stored, StoreFunction store)
    : options_(std::move(options)), stored_(stored), active_(stored), store_(std::move(store)) {}

void Module::PowerUp(TimePoint now, bool online) {
    active_ = stored_;
    mode_ = Mode::Command;
    test_ = -1;
    if (online) GoOnline(now);
}

void Module::OverrideLine(const LineSettings& line) {
    active_.SetLetter("C", CodeOfRate(line.rate).value_or(4), options_.model);
    active_.SetLetter("&B", FormatCode(line), options_.model);
}

void Module::ForceNumericResults() { active_.SetLetter("V", 0, options_.model); }

LineSettings Module::Line() const { return LineOf(active_.Letter("C"), active_.Letter("&B")); }

Millis Module::Guard() const { return options_.guard.value_or(Millis(active_.SReg(1) * 20)); }

void Module::Receive(std::string_view bytes, TimePoint now) {
    Tick(now);
    for (const char c : bytes) {
        if (mode_ == Mode::Command) {
            ReceiveCommandChar(c);
            if (c == SettingChar(3)) {
                const std::string line = std::exchange(lineBuffer_, {});
                if (std::exchange(lineOverflow_, false)) {
                    Emit(Output::Kind::Reply, ResultCode(false), true);
                } else {
                    ExecuteLine(line, now);
                }
                lineEchoed_ = 0;
            }
        } else {
            // On line, everything but the escape sequence goes out over the
            // radio, which the simulator does not model: it is dropped.
            escape_.Feed(c, SettingChar(2), Guard(), now);
        }
    }
}

void Module::ReceiveCommandChar(char c) {
    if (active_.Letter("E") == 1) {
        Emit(Output::Kind::Echo, std::string(1, c), false);
        ++lineEchoed_;
    }
    if (c == SettingChar(3) || c == SettingChar(4)) return;
    if (c == SettingChar(5)) {
        if (!lineBuffer_.empty()) lineBuffer_.pop_back();
        return;
    }
    if (lineBuffer_.size() < kMaxLine) {
        lineBuffer_ += c;
    } else {
        lineOverflow_ = true;
    }
}

void Module::Tick(TimePoint now) {
    if (mode_ == Mode::Command) return;
    if (escape_.Complete(now, Guard())) {
        LeaveOnline();
        Emit(Output::Kind::Reply, ResultCode(true), true);
        return;
    }
    if (auto line = streamer_.Poll(now)) Emit(Output::Kind::Stream, std::move(*line), false);
}

std::optional<TimePoint> Module::NextDeadline() const {
    if (mode_ == Mode::Command) return std::nullopt;
    const auto escape = escape_.Deadline(Guard());
    const auto stream = streamer_.NextDue();
    if (escape && stream) return std::min(*escape, *stream);
    return escape ? escape : stream;
}

std::vector<Output> Module::TakeOutput() { return std::exchange(output_, {}); }

void Module::GoOnline(TimePoint now) {
    escape_.Restart(now);
    if (test_ >= 0) {
        mode_ = Mode::Test;
        streamer_.Start(test_, now);
    } else {
        mode_ = Mode::Data;
    }
}

void Module::LeaveOnline() {
    // A test interrupted by the escape sequence stays selected until "ATZ";
    // "ATO" resumes it.
    mode_ = Mode::Command;
    streamer_.Stop();
    lineBuffer_.clear();
}

void Module::Restart(TimePoint now) {
    active_ = stored_;
    test_ = -1;
    streamer_.Stop();
    mode_ = Mode::Command;
    // Transparent modes go on line at start-up with "&L1"; the controlled
    // auto-connect modes ("&L2" master, "&L3" slave) always do.
    const int link = active_.Letter("&L");
    const bool transparent = active_.Letter("&M") <= 1;
    if ((transparent && link == 1) || (!transparent && link >= 2)) GoOnline(now);
}

void Module::Emit(Output::Kind kind, std::string bytes, bool withLine) {
    if (kind == Output::Kind::Echo && !output_.empty() && output_.back().kind == Output::Kind::Echo) {
        output_.back().bytes += bytes;
        return;
    }
    Output out{kind, std::move(bytes), std::nullopt, {}};
    if (withLine) out.lineAfter = Line();
    output_.push_back(std::move(out));
}

std::string Module::InfoText(const std::string& text) const {
    // Verbose: CR LF before the text; numeric: the text alone. The text
    // itself ends with CR LF.
    return active_.Letter("V") == 1 ? "\r\n" + text : text;
}

std::string Module::ResultCode(bool ok) const {
    if (active_.Letter("Q") == 1) return {};
    if (active_.Letter("V") == 0) return ok ? "0\r" : "4\r";
    return ok ? "\r\nOK\r\n" : "\r\nERROR\r\n";
}

}  // namespace qx::sim
