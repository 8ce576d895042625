#pragma once
// A receive test (bit-error-rate tests 1 and 2, RSSI measurement 3) in its
// test window: Start puts the module into the test mode and starts a thread
// that polls the port; every received line is split off and shown in the
// window's seven fields; Stop ends the thread, then the test.
//
// A port that fails while the test runs ends the polling within one read;
// the front end, told so on the polling thread, calls PollingEnded on its
// own thread, which reports it once (as Stop would: R4) and leaves the
// session stopped, without touching the dead port again.
//
// Start's and Stop's exchanges (the wake and the test's commands) run
// through the ExchangeRunner the front end gives (SetExchangeRunner): the
// window runs them on a worker behind its progress window, where Cancel
// ends them within one read of the port. A cancelled Start leaves the
// session at "Start", as a failed one does, with no message.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/exchange_runner.h"
#include "app/operation_outcome.h"
#include "app/prompter.h"
#include "app/ui_dispatcher.h"
#include "serial/online_object.h"

namespace qx {

class TCOMQX7Object;

// The test window's seven fields, set on the user-interface thread.
class TestDisplay {
public:
    virtual ~TestDisplay() = default;
    // position 0..6: Test, Errors, Extra, Level, Tot Error, Tot Miss, Tot Test
    virtual void SetField(int position, const std::string& text) = 0;
    // After the fields of one received line have been set.
    virtual void LineShown() {}
};

inline constexpr int kTestFieldCount = 7;

class BerTestSession {
public:
    // SetupTest: binds the session to the channel and the test number and
    // takes over the channel's reply handler.
    BerTestSession(TCOMQX7Object& channel, int testNumber, UiDispatcher& ui, TestDisplay& display,
                   Prompter& prompter);
    ~BerTestSession();
    BerTestSession(const BerTestSession&) = delete;
    BerTestSession& operator=(const BerTestSession&) = delete;

    // "Receive Bit Error Rate Test", or "RSSI Measurement" for test 3.
    std::string WindowCaption() const;
    // "Start", or "Stop" while a test runs: the only record of the state.
    const std::string& ButtonCaption() const { return buttonCaption_; }
    bool CloseButtonEnabled() const { return buttonCaption_ == "Start"; }
    const std::string& TestCommand() const { return testCommand_; }

    // The Start/Stop button. Errors are reported here; the outcome says
    // what came of the click.
    OperationOutcome btn_StartStopClick();
    // The Close button and the window's close box: a running test is
    // stopped first. The window closes afterwards in any case.
    OperationOutcome StopTestAndClose();

    // Where Start's and Stop's exchanges run; in place until set. The
    // runner must outlive the session.
    void SetExchangeRunner(ExchangeRunner& runner) { runner_ = &runner; }

    // `notice` runs on the polling thread when the polling ends by itself
    // (the port failed); the front end then calls PollingEnded on its own
    // thread. Set before Start.
    void SetOnPollingEnded(std::function<void()> notice) { pollingEndedNotice_ = std::move(notice); }
    // After that notice: reports the failure once and returns to "Start".
    // Does nothing (Done) when no polling ended by itself, or while Start
    // or Stop is at work (Stop then reports what it finds).
    OperationOutcome PollingEnded();

    // The channel's reply handler: splits received text into lines.
    void TestDataReceived(const std::string& text);
    void ParseTestLine(const std::string& line);

    const std::array<std::string, kTestFieldCount>& TestValues() const { return testValues_; }

private:
    // Each returns false when the user cancelled its exchanges.
    bool Start();
    bool Stop();
    bool RunExchanges(const std::string& what, const ExchangeRunner::Exchanges& steps);
    void Show(int position, const std::string& text);

    TCOMQX7Object& channel_;
    UiDispatcher& ui_;
    TestDisplay& display_;
    Prompter& prompter_;
    std::string testCommand_;
    std::string buttonCaption_ = "Start";
    std::string lineBuffer_;
    std::array<std::string, kTestFieldCount> testValues_;
    std::function<void()> pollingEndedNotice_;
    InPlaceRunner inPlace_;
    ExchangeRunner* runner_ = &inPlace_;
    bool acting_ = false;  // inside Start or Stop
    std::unique_ptr<TOnLineObject> pollThread_;
};

}  // namespace qx
