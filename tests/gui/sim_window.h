#pragma once
// The window with its real module commands, "Com 1" pointed at a qxsim on a
// link in a temporary folder, its module history in a file there; and helpers to run a command that shows modal
// windows from the event loop while the test drives those windows.

#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compare_dialog.h"
#include "e2e/sim_harness.h"
#include "gui_fixture.h"
#include "qt_module_commands.h"
#include "serial/port_map.h"
#include "window_history.h"

namespace qx::test {

enum class ModuleOnLink { Simulated, Missing };

// Where "Com 1" leads: a link in the test's folder, served by qxsim (its
// stored settings in StateFile(), `simArgs` added), or by nothing: a port
// that cannot be opened.
class SimWindow {
public:
    explicit SimWindow(ModuleOnLink module = ModuleOnLink::Simulated, std::vector<std::string> simArgs = {}) {
        if (module == ModuleOnLink::Simulated) {
            simArgs.insert(simArgs.begin(), {"--state", StateFile()});
            sim = std::make_unique<simtest::SimProcess>(Link(), simArgs, dir.File("stderr"));
            if (sim->SlavePath().empty()) qWarning("qxsim did not report its slave");
        }
        PortMap ports;
        ports.Override(0, Link());
        w.form.SetPortMap(ports);
        w.form.SetModuleCommands(std::make_unique<gui::QtModuleCommands>(w.form, &history));
    }

    std::string Link() const { return dir.File("module"); }
    std::string HistoryFile() const { return dir.File("history.sqlite3"); }
    std::string StateFile() const { return dir.File("state"); }
    QAction* Menu(QAction* gui::MainMenuActions::*item) const { return w.form.Menu().*item; }

    simtest::TempDir dir;
    std::unique_ptr<simtest::SimProcess> sim;
    gui::WindowHistory history{"Cfg_QX7TR", HistoryFile()};  // outlives the window's commands
    StartedWindow w;
};

// Triggers `action` from the event loop (its command may run a modal
// window) and waits until the command has returned.
inline void RunCommand(QAction* action, int timeoutMs = 60000) {
    auto returned = std::make_shared<bool>(false);
    QTimer::singleShot(0, action, [action, returned] {
        action->trigger();
        *returned = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(*returned, timeoutMs);
}

// Runs `act` once `condition` holds (checked every 10 ms from the event
// loop, modal loops included) or `timeoutMs` has passed, so that a modal
// window is always ended; the flag tells whether the condition held.
inline std::shared_ptr<bool> WhenTrue(std::function<bool()> condition, std::function<void()> act,
                                      int timeoutMs = 30000) {
    auto held = std::make_shared<bool>(false);
    auto* timer = new QTimer;
    auto left = std::make_shared<int>(timeoutMs / 10);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout,
                     [timer, left, held, condition = std::move(condition), act = std::move(act)] {
                         *held = condition();
                         if (!*held && --*left > 0) return;
                         timer->stop();
                         timer->deleteLater();
                         act();
                     });
    timer->start();
    return held;
}

// Answers the next file dialog with `path`: types it as the file name and
// accepts, and again on every tick while the dialog stays open; after
// `timeoutMs` it rejects it, so that a test fails rather than hangs. The
// name is typed into the name field itself: selectFile() leaves that field
// alone while it has the keyboard focus, and the accept then only opens a
// folder.
inline void WhenFileDialogShown(const std::string& path, int timeoutMs = 30000) {
    auto* timer = new QTimer;
    auto left = std::make_shared<int>(timeoutMs / 10);
    auto seen = std::make_shared<bool>(false);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, left, seen, path = QString::fromStdString(path)] {
        if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            *seen = true;
            if (--*left > 0) {
                files->selectFile(path);
                if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(path);
                static_cast<QDialog*>(files)->accept();
            } else {
                files->reject();
            }
            return;
        }
        if (!*seen && --*left > 0) return;
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
}

struct CompareSeen {
    bool shown = false;
    std::string compared;  // the heading of the values the module's are compared with
    std::vector<std::array<std::string, 3>> rows;
};

// Waits (from the event loop) for the comparison dialog that follows the
// read, notes its rows and closes it.
inline std::shared_ptr<CompareSeen> WhenCompareShown() {
    auto seen = std::make_shared<CompareSeen>();
    WhenTrue([] { return qobject_cast<gui::CompareDialog*>(QApplication::activeModalWidget()) != nullptr; },
             [seen] {
                 auto* dialog = qobject_cast<gui::CompareDialog*>(QApplication::activeModalWidget());
                 if (!dialog) return;
                 seen->shown = true;
                 QTableWidget* table = dialog->Table();
                 seen->compared = table->horizontalHeaderItem(1)->text().toStdString();
                 for (int r = 0; r < table->rowCount(); ++r)
                     seen->rows.push_back({table->item(r, 0)->text().toStdString(),
                                           table->item(r, 1)->text().toStdString(),
                                           table->item(r, 2)->text().toStdString()});
                 dialog->reject();
             },
             60000);
    return seen;
}

}  // namespace qx::test
