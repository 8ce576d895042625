#pragma once
// "Find Module": scans the port for a module at every host rate and format
// (the core's FindModule, on a thread of its own) while the dialog shows
// each setting tried and a Cancel button; at the end it shows what was found
// and asks "Use these settings?".
//
// Entry point for the window:
//   if (auto found = FindModuleDialog::Run(this, workspace.host, channelFactory))
//       { workspace.host = *found; /* show the serial settings again */ }
// The channel factory is called on the scan's thread.

#include <QDialog>
#include <atomic>
#include <optional>
#include <thread>

#include "operations/module_finder.h"

class QDialogButtonBox;
class QLabel;
class QProgressBar;

namespace qx::gui {

class FindModuleDialog : public QDialog {
    Q_OBJECT
public:
    FindModuleDialog(const HostSerialSettings& current, ChannelFactory open, QWidget* parent = nullptr,
                     FindTimings timings = {});
    ~FindModuleDialog() override;

    // Runs the dialog modally: the settings to take when a module was found
    // and the user answered Yes; nothing otherwise.
    static std::optional<HostSerialSettings> Run(QWidget* parent, const HostSerialSettings& current,
                                                 ChannelFactory open);

    // What the scan ended with (valid once Finished()).
    const FindResult& Result() const { return result_; }
    bool Finished() const { return finished_; }
    QString StatusText() const;
    QProgressBar* Bar() const { return bar_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void Start();
    void ShowAttempt(const FindAttempt& attempt);
    void ShowEnd(const FindResult& result, const QString& error);

    HostSerialSettings current_;
    ChannelFactory open_;
    FindTimings timings_;
    QLabel* status_;
    QProgressBar* bar_;
    QDialogButtonBox* buttons_;
    FindResult result_{.outcome = OperationOutcome::Cancelled()};  // nothing found until the scan has ended
    bool finished_ = false;
    std::atomic<bool> cancel_{false};
    std::jthread scan_;
};

}  // namespace qx::gui
