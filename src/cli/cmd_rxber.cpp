// qxcfg rxber: runs a receive test (1 Rx BER, 2 Tx & Rx BER, 3 RSSI) and
// prints every field the test window would show, one line per update,
// until the given time has passed or Ctrl-C; then stops the test.

#include <chrono>
#include <thread>

#include "cli/cli_workspace.h"
#include "cli/commands.h"
#include "cli/online_options.h"
#include "cli/usage_error.h"
#include "operations/ber_test_session.h"
#include "serial/comqx7_object.h"

namespace qx::cli {

namespace {

constexpr std::array<const char*, kTestFieldCount> kFieldNames = {
    "edit_Test", "edit_Error", "edit_Extra", "edit_Level", "edit_TotErr", "edit_TotMiss", "edit_TotTest"};

class PrintingDisplay : public TestDisplay {
public:
    explicit PrintingDisplay(std::ostream& out) : out_(out) {}
    void SetField(int position, const std::string& text) override {
        out_ << kFieldNames[static_cast<std::size_t>(position)] << '=' << text << '\n' << std::flush;
    }

private:
    std::ostream& out_;
};

}  // namespace

int RunRxBer(CliContext& context, std::vector<std::string> args) {
    ArgReader reader(std::move(args));
    OnlineOptions online;
    std::optional<int> test;
    std::optional<int> seconds;
    while (!reader.AtEnd()) {
        if (online.Take(reader)) continue;
        if (auto t = reader.TakeOption("--test")) {
            test = static_cast<int>(ParseIntArg(*t, 1, 3, "--test"));
        } else if (auto s = reader.TakeOption("--seconds")) {
            seconds = static_cast<int>(ParseIntArg(*s, 0, 86400, "--seconds"));
        } else {
            throw UsageError("rxber: unexpected argument '" + reader.Peek() + "'");
        }
    }
    if (!test) throw UsageError("rxber: --test 1|2|3 is required");

    auto workspace = StartWorkspace(context, std::nullopt);
    online.ApplyTo(*workspace);
    std::unique_ptr<TCOMQX7Object> channel;
    try {
        channel = online.Factory(context, *workspace)(workspace->host);
    } catch (const std::exception& e) {
        context.err << "ERROR: " << e.what() << '\n';
        return kExitFailure;
    }
    const int errorsBefore = context.prompter.ErrorsShown();
    DirectDispatcher ui;
    PrintingDisplay display(context.out);
    InterruptGuard interrupt;
    {
        BerTestSession session(*channel, *test, ui, display, context.prompter);
        context.err << session.WindowCaption() << '\n';
        session.btn_StartStopClick();
        if (session.ButtonCaption() != "Stop") return kExitFailure;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds.value_or(0));
        while (!InterruptRequested() && (!seconds || std::chrono::steady_clock::now() < end))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        session.StopTestAndClose();
    }
    return context.prompter.ErrorsShown() > errorsBefore ? kExitFailure : kExitOk;
}

}  // namespace qx::cli
