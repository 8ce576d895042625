#pragma once
// A receive test (bit-error-rate tests 1 and 2, RSSI measurement 3) in its
// test window: Start puts the module into the test mode and starts a thread
// that polls the port; every received line is split off and shown in the
// window's seven fields; Stop ends the thread, then the test.

#include <array>
#include <memory>
#include <string>

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

    // The Start/Stop button. Errors are reported here.
    void btn_StartStopClick();
    // The Close button and the window's close box: a running test is
    // stopped first. The window closes afterwards in any case.
    void StopTestAndClose();

    // The channel's reply handler: splits received text into lines.
    void TestDataReceived(const std::string& text);
    void ParseTestLine(const std::string& line);

    const std::array<std::string, kTestFieldCount>& TestValues() const { return testValues_; }

private:
    void Start();
    void Stop();
    void Show(int position, const std::string& text);

    TCOMQX7Object& channel_;
    UiDispatcher& ui_;
    TestDisplay& display_;
    Prompter& prompter_;
    std::string testCommand_;
    std::string buttonCaption_ = "Start";
    std::string lineBuffer_;
    std::array<std::string, kTestFieldCount> testValues_;
    std::unique_ptr<TOnLineObject> pollThread_;
};

}  // namespace qx
