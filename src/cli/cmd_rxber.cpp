// qxcfg rxber: runs a receive test (1 Rx BER, 2 Tx & Rx BER, 3 RSSI) and
// prints every field the test window would show, one line per field set
// (control bytes written visibly, as console does), or with --json one JSON
// object per received line with the time it was shown, until the given
// time has passed or Ctrl-C; then stops the test (and with --json ends with
// the port's object, {"port": ..., "result": "ok", "exit": 0}). A port that fails during
// the test ends it at once with the report the Stop button would show.

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/each_port.h"
#include "cli/interrupt_runner.h"
#include "cli/json_text.h"
#include "cli/online_options.h"
#include "cli/outcome_exit.h"
#include "cli/usage_error.h"
#include "files/communication_log_file.h"
#include "operations/ber_test_session.h"
#include "serial/comqx7_object.h"
#include "serial/serial_errors.h"

namespace qx::cli {

namespace {

constexpr std::array<const char*, kTestFieldCount> kFieldNames = {
    "edit_Test", "edit_Error", "edit_Extra", "edit_Level", "edit_TotErr", "edit_TotMiss", "edit_TotTest"};

const char* FieldName(int position) { return kFieldNames[static_cast<std::size_t>(position)]; }

// edit_Level=RSSI -72 dBm
class PrintingDisplay : public TestDisplay {
public:
    explicit PrintingDisplay(std::ostream& out) : out_(out) {}
    void SetField(int position, const std::string& text) override {
        out_ << FieldName(position) << '=' << ReadableLogText(text) << '\n' << std::flush;
    }

private:
    std::ostream& out_;
};

// {"time": "2024-05-01T12:34:56.789Z", "edit_Level": "RSSI -72 dBm"}
class JsonDisplay : public TestDisplay {
public:
    explicit JsonDisplay(std::ostream& out) : out_(out) {}
    void SetField(int position, const std::string& text) override { fields_.emplace_back(position, text); }
    void LineShown() override {
        out_ << "{\"time\": " << JsonString(LogTimestamp(std::chrono::system_clock::now()));
        for (const auto& [position, text] : fields_) out_ << ", " << JsonString(FieldName(position)) << ": " << JsonString(text);
        out_ << "}\n" << std::flush;
        fields_.clear();
    }

private:
    std::ostream& out_;
    std::vector<std::pair<int, std::string>> fields_;
};

// The first failure of the run decides its outcome.
void KeepFirstFailure(OperationOutcome& kept, const OperationOutcome& next) {
    if (!kept.IsFailed()) kept = next;
}

struct RxBerArgs {
    OnlineOptions online;
    std::optional<int> test;
    std::optional<int> seconds;
    bool json = false;
};

// The test on the port: its lines printed as they come; what it came to.
PortResult RunTest(CliContext& context, const OnlineOptions& online, const RxBerArgs& args) {
    auto workspace = StartWorkspace(context, std::nullopt);
    online.ApplyTo(*workspace);
    // Ctrl-C, a hang-up or SIGTERM, from the connection on: before the test
    // runs it is cancelled; once it runs it is stopped on the module first.
    InterruptGuard interrupt;
    std::unique_ptr<TCOMQX7Object> channel;
    try {
        channel = online.Factory(context, *workspace)(workspace->host);
    } catch (const EOpenAbandoned&) {
        return {Conclude(context, OperationOutcome::Cancelled()), {}};
    } catch (const std::exception& e) {
        context.err << ErrorLines(e.what());
        return {kExitFailure, e.what()};
    }
    DirectDispatcher ui;
    PrintingDisplay lines(context.out);
    JsonDisplay objects(context.out);
    InterruptRunner cancellable;
    InPlaceRunner toTheEnd;
    std::atomic<bool> pollingEnded{false};
    OperationOutcome outcome = OperationOutcome::Done();
    {
        BerTestSession session(*channel, *args.test, ui, args.json ? static_cast<TestDisplay&>(objects) : lines,
                               context.prompter);
        session.SetOnPollingEnded([&pollingEnded] { pollingEnded = true; });
        context.err << session.WindowCaption() << '\n';
        session.SetExchangeRunner(cancellable);
        KeepFirstFailure(outcome, session.btn_StartStopClick());
        if (session.ButtonCaption() != "Stop") return {Conclude(context, outcome), outcome.text};
        // The stop must reach the module whatever ended the test.
        session.SetExchangeRunner(toTheEnd);
        // Output nobody can read any more (a closed pipe) ends the test too.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(args.seconds.value_or(0));
        while (!InterruptRequested() && !pollingEnded && context.out.good() &&
               (!args.seconds || std::chrono::steady_clock::now() < end))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (pollingEnded) KeepFirstFailure(outcome, session.PollingEnded());
        KeepFirstFailure(outcome, session.StopTestAndClose());
    }
    return {Conclude(context, outcome), outcome.text};
}

int RxBer(CliContext& context, RxBerArgs& args) {
    if (!args.test) throw UsageError("rxber: --test 1|2|3 is required");
    const OnlineOptions& online = args.online;
    online.RequireOnePort("rxber");
    // With --json the last line says how the test ended.
    return RunOnPorts(context, online, args.json,
                      [&args](CliContext& own, const OnlineOptions& one) { return RunTest(own, one, args); });
}

}  // namespace

Command RxBerCommand() {
    return Declare<RxBerArgs>({
        .name = "rxber",
        .usage = "[PORT OPTIONS] --test 1|2|3 [--seconds N] [--json]",
        .summary = "run a receive test (Rx BER, Tx & Rx BER, RSSI) and print its fields",
        .rows = Join({Option("--test", "1|2|3", "the test to run", Offer::Words,
                             +[](RxBerArgs& a, const Given& g) {
                                 a.test = static_cast<int>(ParseIntArg(g.value, 1, 3, "--test"));
                             }),
                      Option("--seconds", "N", "stop after N seconds (default: at Ctrl-C)", Offer::Nothing,
                             +[](RxBerArgs& a, const Given& g) {
                                 a.seconds = static_cast<int>(ParseIntArg(g.value, 0, 86400, "--seconds"));
                             }),
                      JsonFlag<RxBerArgs>("one JSON object per received line, with the time it was shown")},
                     OperationOptions<RxBerArgs>()),
        .exits = ModuleExits(),
        .examples = {"qxcfg rxber --port /dev/ttyUSB0 --test 3 --seconds 10"},
        .run = RxBer,
    });
}

}  // namespace qx::cli
