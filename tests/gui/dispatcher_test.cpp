// QtUiDispatcher: work from a worker thread runs on the user-interface
// thread while the worker waits; exceptions come back to the worker.

#include <QThread>
#include <atomic>
#include <stdexcept>
#include <thread>

#include "gui_fixture.h"
#include "qt_ui_dispatcher.h"
#include "suites.h"

namespace qx::test {
namespace {

class DispatcherTest : public QObject {
    Q_OBJECT

private slots:
    void onTheUiThreadTheWorkRunsAtOnce() {
        gui::QtUiDispatcher dispatcher;
        bool ran = false;
        dispatcher.Invoke([&] { ran = true; });
        QVERIFY(ran);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, dispatcher.Invoke([] { throw std::logic_error("here"); }));
    }

    void aWorkerWaitsForTheWorkOnTheUiThread() {
        gui::QtUiDispatcher dispatcher;
        QThread* const uiThread = QThread::currentThread();
        std::atomic<bool> done{false};
        QThread* ranOn = nullptr;
        int value = 0;
        int seenAfter = 0;
        std::thread worker([&] {
            dispatcher.Invoke([&] {
                ranOn = QThread::currentThread();
                value = 42;
            });
            seenAfter = value;  // written before Invoke returned
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done.load(), 20000);
        worker.join();
        QCOMPARE(ranOn, uiThread);
        QCOMPARE(seenAfter, 42);
    }

    void aWorkersExceptionIsRethrownInTheWorker() {
        gui::QtUiDispatcher dispatcher;
        std::atomic<bool> done{false};
        std::string caught;
        bool rightType = false;
        std::thread worker([&] {
            try {
                dispatcher.Invoke([] { throw std::runtime_error("Unable to open COM1"); });
            } catch (const std::runtime_error& e) {
                rightType = true;
                caught = e.what();
            } catch (...) {
            }
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done.load(), 20000);
        worker.join();
        QVERIFY(rightType);
        QCOMPARE(caught, std::string("Unable to open COM1"));
    }
};

}  // namespace

std::unique_ptr<QObject> MakeDispatcherTest() { return std::make_unique<DispatcherTest>(); }

}  // namespace qx::test

#include "dispatcher_test.moc"
