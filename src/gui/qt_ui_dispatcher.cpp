#include "qt_ui_dispatcher.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <exception>
#include <thread>

namespace qx::gui {

void QtUiDispatcher::Invoke(const std::function<void()>& work) {
    if (QThread::currentThread() == thread()) {
        work();
        return;
    }
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        this,
        [&work, &failure] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure) std::rethrow_exception(failure);
}

void QtUiDispatcher::WaitServing(const std::function<bool()>& done) {
    if (QThread::currentThread() != thread()) {
        UiDispatcher::WaitServing(done);
        return;
    }
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        if (!done()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace qx::gui
