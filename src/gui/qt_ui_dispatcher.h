#pragma once
// Runs work on the user-interface thread and waits for it. From a worker
// thread the work is queued to the thread this object lives on and the
// caller blocks until it has run; an exception thrown there is thrown again
// in the caller. On the user-interface thread itself the work runs at once.

#include <QObject>

#include "app/ui_dispatcher.h"

namespace qx::gui {

class QtUiDispatcher : public QObject, public UiDispatcher {
    Q_OBJECT
public:
    // Create it on the user-interface thread.
    explicit QtUiDispatcher(QObject* parent = nullptr) : QObject(parent) {}

    void Invoke(const std::function<void()>& work) override;

    // On the user-interface thread: keeps running the calls other threads
    // queue (and timers, repaints) until `done` holds, so a thread being
    // waited for can finish a call it is blocked in. The user's input waits
    // meanwhile, so no command can start inside the wait.
    void WaitServing(const std::function<bool()>& done) override;
};

}  // namespace qx::gui
