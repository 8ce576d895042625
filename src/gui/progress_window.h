#pragma once
// "Module Configuration": the modal window shown while a module operation
// runs on its worker thread. The operation drives it through ProgressSink
// (on this thread, via the UiDispatcher) and ends it with Close(). Cancel,
// Esc and the close box only ask the operation to stop; the window stays
// until the operation closes it.

#include <QDialog>
#include <functional>

#include "app/progress_sink.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qx::gui {

class ProgressWindow : public QDialog, public ProgressSink {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // Shows the window modally; once it is on screen the bar goes to 0 and
    // `start` runs (it starts the worker). Returns when Close() was called.
    void Run(const std::function<void()>& start, std::function<void()> onCancel);

    // ProgressSink
    void SetText(const std::string& text) override;
    void SetPosition(int position) override;
    void SetMax(int max) override;
    void Step() override;
    void Refresh() override;
    void Close() override;

    QString Text() const;
    QProgressBar* Bar() const { return bar_; }

public slots:
    // CancelBitBtn, Esc and the close box.
    void CancelOperation();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLabel* whatsHappening_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    std::function<void()> onCancel_;
    bool closing_ = false;
};

}  // namespace qx::gui
