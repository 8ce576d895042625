#include "progress_exchange_runner.h"

#include <QProgressBar>
#include <atomic>
#include <exception>
#include <thread>

#include "progress_window.h"
#include "qt_ui_dispatcher.h"

namespace qx::gui {

UiDispatcher& ProgressExchangeRunner::Ui() { return ui_; }

bool ProgressExchangeRunner::Run(const std::string& what, const Exchanges& exchanges) {
    std::atomic<bool> cancelled{false};
    std::atomic<bool> ended{false};
    bool completed = false;
    std::exception_ptr failure;
    std::jthread worker;
    window_.SetText(what);
    // A bar that moves to and fro: how long a wake takes is not known.
    window_.Bar()->setRange(0, 0);
    window_.Run(
        [&] {
            worker = std::jthread([&] {
                try {
                    completed = exchanges([&cancelled] { return cancelled.load(); });
                } catch (...) {
                    failure = std::current_exception();
                }
                // Its last act: the window's modal loop ends.
                ui_.Invoke([&] {
                    ended = true;
                    window_.Close();
                });
            });
        },
        [&cancelled] { cancelled = true; });
    // Should the modal loop end otherwise (the application quitting), the
    // exchanges are cancelled and their calls onto this thread still served.
    if (worker.joinable() && !ended) {
        cancelled = true;
        ui_.WaitServing([&ended] { return ended.load(); });
    }
    if (worker.joinable()) worker.join();
    window_.Bar()->setRange(0, 100);
    if (failure && !cancelled) std::rethrow_exception(failure);
    return completed && !failure;
}

}  // namespace qx::gui
