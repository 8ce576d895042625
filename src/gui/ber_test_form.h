#pragma once
// TBERTestForm: the window of a receive test (bit-error-rate tests 1 and 2,
// RSSI measurement 3). Seven read-only fields show the last result line,
// Start/Stop runs the test, Close (hidden while a test runs) and the close
// box stop a running test before the window closes. The window opens with
// the focus on Start. Below the fields a
// small plot follows the signal level over time: the Level field's number,
// whenever it holds one (every test shows a level; see rssi_level.h).
//
// The test itself (commands, polling thread, line splitting) is the core's
// BerTestSession; this window shows what it reports.

#include <QDialog>
#include <array>
#include <memory>

#include "app/prompter.h"
#include "app/ui_dispatcher.h"
#include "operations/ber_test_session.h"

class QLineEdit;
class QPushButton;

namespace qx {
class TCOMQX7Object;
}

namespace qx::gui {

class RssiPlot;

class TBERTestForm : public QDialog, public TestDisplay {
    Q_OBJECT
public:
    explicit TBERTestForm(QWidget* parent = nullptr);
    ~TBERTestForm() override;

    // Binds the window to an open channel and a test; the channel must
    // outlive the window. Start's and Stop's exchanges run through `runner`
    // (behind the progress window, with Cancel) when given, else at once.
    void SetupTest(TCOMQX7Object& channel, int testNumber, UiDispatcher& ui, Prompter& prompter,
                   ExchangeRunner* runner = nullptr);

    // TestDisplay: position 0..6, on the user-interface thread.
    void SetField(int position, const std::string& text) override;

    QLineEdit* Field(int position) const { return fields_.at(static_cast<std::size_t>(position)); }
    RssiPlot* Plot() const { return plot_; }

    // The Start/Stop button.
    void btn_StartStopClick();

protected:
    void showEvent(QShowEvent* event) override;
    // The Close button, the close box and Esc: a running test is stopped
    // first, then the window closes.
    void reject() override;

private:
    void SyncButtons();
    // The polling thread ended by itself (the port failed).
    void PollingEnded();

    std::array<QLineEdit*, kTestFieldCount> fields_{};
    QPushButton* startStop_;
    QPushButton* close_;
    RssiPlot* plot_;
    std::unique_ptr<BerTestSession> session_;
    // True while the test talks to the module: the wait for the polling
    // thread keeps serving the window, which must not start a second action.
    bool busy_ = false;
};

}  // namespace qx::gui
