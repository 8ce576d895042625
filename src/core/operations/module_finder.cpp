#include "operations/module_finder.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <set>
#include <thread>

#include "serial/comqx7_object.h"
#include "serial/reply_wait_bound.h"

namespace qx {

namespace {

using Clock = std::chrono::steady_clock;

bool IsResultCode(const std::string& line) { return line == "OK" || line == "ERROR" || line == "0" || line == "4"; }

bool CancelRequested(const FindCallbacks& callbacks) { return callbacks.cancelled && callbacks.cancelled(); }

// Sleeps until `until`, waking every few milliseconds to see whether the user
// has cancelled. Returns false when cancelled.
bool PauseUntil(Clock::time_point until, const FindCallbacks& callbacks) {
    while (Clock::now() < until) {
        if (CancelRequested(callbacks)) return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(until - Clock::now(), std::chrono::milliseconds(20)));
    }
    return !CancelRequested(callbacks);
}

// One setting's probe. Returns the identification line, empty when nothing
// there identified itself.
class SettingProbe {
public:
    SettingProbe(TCOMQX7Object& channel, const FindTimings& timings, const FindCallbacks& callbacks)
        : channel_(channel), timings_(timings), callbacks_(callbacks) {}

    // The escape character that brought the module to command mode, when
    // one of those given did.
    std::optional<int> EscapeTaken() const { return escapeTaken_; }

    // `escapeCodes` empty: the channel's own escape character.
    std::string Run(bool tryEscape, const std::vector<int>& escapeCodes) {
        Send("\r", timings_.probeWait);
        bool answered = !channel_.LastReply().empty();
        const std::vector<std::optional<int>> escapes =
            escapeCodes.empty() ? std::vector<std::optional<int>>{std::nullopt}
                                : std::vector<std::optional<int>>(escapeCodes.begin(), escapeCodes.end());
        for (std::size_t i = 0; !answered && tryEscape && i < escapes.size(); ++i) {
            if (escapes[i]) {
                EscapeCharacter escape;
                escape.Set(*escapes[i]);
                channel_.SetEscapeCharacter(escape);
            }
            // A module in data mode takes the escape only after a guard time
            // of silence, and answers a guard time after it; an escape it did
            // not take was data, so the next one waits its guard time too.
            if (!PauseUntil(lastWrite_ + timings_.escapeGuard, callbacks_)) return {};
            const std::string sequence = channel_.BuildEscapeSequence();
            Send(sequence, EscapeWait(sequence), "");
            answered = ModuleAnswered(channel_.LastReply());
            if (answered) escapeTaken_ = escapes[i];
        }
        if (!answered || CancelRequested(callbacks_)) return {};
        Send("ATI\r", timings_.identifyWait, "OK");
        const std::string& reply = channel_.LastReply();
        return ModuleAnswered(reply) ? IdentificationLine(reply) : std::string();
    }

private:
    // "+++" is read as a long reply, a full buffer whose time-out runs past
    // the guard time after it; any other escape character gets a read of
    // the same span.
    std::chrono::milliseconds EscapeWait(const std::string& sequence) const {
        const std::string factory = EscapeCharacter().Sequence();
        const auto shortfall = ReplyWaitBound(factory, "", timings_.escapeReplyWait) -
                               ReplyWaitBound(sequence, "", timings_.escapeReplyWait);
        return timings_.escapeReplyWait + shortfall;
    }

    // An empty `expected` makes the wait one short read.
    void Send(const std::string& command, std::chrono::milliseconds wait, const std::string& expected = "") {
        lastWrite_ = Clock::now();
        channel_.SendCommand(command, expected, wait);
    }

    TCOMQX7Object& channel_;
    const FindTimings& timings_;
    const FindCallbacks& callbacks_;
    Clock::time_point lastWrite_ = Clock::now();
    std::optional<int> escapeTaken_;
};

}  // namespace

std::vector<HostSerialSettings> FindOrder(const HostSerialSettings& current) {
    std::vector<HostSerialSettings> order{current};
    for (const SerialFormat& format : kHostFormats) {
        for (const std::uint8_t rate : kHostRatesToTry) {
            HostSerialSettings s = current;
            s.BaudIndex = rate;
            SetHostFormat(s, format);
            if (std::find(order.begin(), order.end(), s) == order.end()) order.push_back(s);
        }
    }
    return order;
}

std::string SettingsText(const HostSerialSettings& settings) {
    const SerialSettingsTexts texts = DisplaySerialSettings(settings);
    return texts.rate + " " + texts.other;
}

std::string IdentificationLine(const std::string& reply) {
    std::size_t start = 0;
    while (start < reply.size()) {
        const std::size_t end = std::min(reply.find_first_of("\r\n", start), reply.size());
        const std::string line = reply.substr(start, end - start);
        if (!line.empty() && line != "ATI" && !IsResultCode(line)) return line;
        start = end + 1;
    }
    return {};
}

std::string NotFoundText(std::size_t attempts) {
    return "No module answered at any serial rate or format (" + std::to_string(attempts) + " tried).";
}

namespace {

FindResult Cancelled(std::size_t attempts) {
    FindResult result{.outcome = OperationOutcome::Cancelled(), .attempts = attempts};
    result.outcome.cancelRequested = true;
    return result;
}

}  // namespace

FindResult FindModule(const HostSerialSettings& current, const ChannelFactory& open, const FindCallbacks& callbacks,
                      const FindTimings& timings, const std::vector<int>& escapeCodes) {
    const std::vector<HostSerialSettings> order = FindOrder(current);
    std::set<std::uint8_t> escapedRates;
    std::size_t attempts = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (CancelRequested(callbacks)) return Cancelled(attempts);
        const HostSerialSettings& settings = order[i];
        if (callbacks.trying) callbacks.trying({i + 1, order.size(), settings});
        attempts = i + 1;
        const std::unique_ptr<TCOMQX7Object> channel = open(settings);
        const bool tryEscape = escapedRates.insert(settings.BaudIndex).second;
        SettingProbe probe(*channel, timings, callbacks);
        std::string identification = probe.Run(tryEscape, escapeCodes);
        if (!identification.empty())
            return {.outcome = OperationOutcome::Done(),
                    .settings = settings,
                    .escapeCode = probe.EscapeTaken(),
                    .identification = std::move(identification),
                    .attempts = attempts};
    }
    if (CancelRequested(callbacks)) return Cancelled(attempts);
    return {.outcome = OperationOutcome::Failure(ReportKind::Own, NotFoundText(attempts), ErrorClass::WriteComm),
            .attempts = attempts};
}

}  // namespace qx
