#pragma once
// The simulated module: command mode and the on-line modes (data mode and
// the radio test modes), the command line, the result codes and what each
// command does to the settings. No input/output of its own: the server feeds
// it the bytes the host sent and the time, and sends what it produces.

#include "sim/escape_detector.h"
#include "sim/line_settings.h"
#include "sim/module_settings.h"
#include "sim/sim_clock.h"
#include "sim/test_streamer.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::sim {

struct AtCommand;

// Bytes for the host. A reply is the answer to one command line or to the
// escape sequence; echo and test result lines are not replies.
struct Output {
    enum class Kind { Echo, Reply, Stream };
    Kind kind = Kind::Reply;
    std::string bytes;
    // The line the module listens and talks at once these bytes are out
    // (a rate or format change takes effect after the answer that confirms it).
    std::optional<LineSettings> lineAfter;
    // A reply: the command line it answers (for faults that pick replies).
    std::string answers;
};

struct ModuleOptions {
    ModelInfo model;
    // Guard time of the escape sequence; empty: S1 x 20 ms like the module.
    std::optional<Millis> guard;
    // Firmware that refuses XON/XOFF flow control ("AT&K5" gives ERROR).
    bool rejectXon = false;
    // Firmware that acknowledges writes of this S-register and ignores them.
    std::optional<unsigned> ignoredSReg;
    // The listing laid out to be cut this many bytes into "&Z3=" by a host's
    // first 255-byte read.
    std::optional<unsigned> listingCut;
};

class Module {
public:
    enum class Mode { Command, Data, Test };

    // `store` persists the stored settings on "AT&W"; false makes the
    // command fail with ERROR.
    using StoreFunction = std::function<bool(const ModuleSettings&)>;

    Module(ModuleOptions options, const ModuleSettings& stored, StoreFunction store);

    // Power-up: active settings from the stored ones, in command mode or,
    // with `online`, in data mode.
    void PowerUp(TimePoint now, bool online);
    // Start-up overrides that are not stored: line settings, numeric codes.
    void OverrideLine(const LineSettings& line);
    void ForceNumericResults();

    void Receive(std::string_view bytes, TimePoint now);
    // Timers: end of the escape guard time, the next test result line.
    void Tick(TimePoint now);
    std::optional<TimePoint> NextDeadline() const;
    std::vector<Output> TakeOutput();

    Mode CurrentMode() const { return mode_; }
    LineSettings Line() const;
    const ModuleSettings& Active() const { return active_; }

private:
    void ReceiveCommandChar(char c);
    void ExecuteLine(const std::string& line, TimePoint now);
    // False when the command fails; `stop` ends the line after it.
    bool Execute(const AtCommand& command, std::string& info, bool& stop);
    std::string ListingText() const;
    void GoOnline(TimePoint now);
    void Restart(TimePoint now);
    void LeaveOnline();

    void Emit(Output::Kind kind, std::string bytes, bool withLine);
    std::string InfoText(const std::string& text) const;
    std::string ResultCode(bool ok) const;
    Millis Guard() const;
    char SettingChar(int sreg) const { return static_cast<char>(active_.SReg(sreg)); }

    ModuleOptions options_;
    ModuleSettings stored_;
    ModuleSettings active_;
    StoreFunction store_;

    Mode mode_ = Mode::Command;
    int test_ = -1;  // running (or suspended) test mode, -1 when none
    std::string lineBuffer_;
    std::size_t lineEchoed_ = 0;  // bytes of the current line echoed back
    bool lineOverflow_ = false;
    EscapeDetector escape_;
    TestStreamer streamer_;
    std::vector<Output> output_;
};

}  // namespace qx::sim
