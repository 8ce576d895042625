// The window's start-up: the time from process start to the main window
// first shown (offscreen), and the resident memory after a Read from the
// simulator through the window. Prints figures only.

#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "operations/workspace.h"
#include "application_look.h"
#include "e2e/sim_harness.h"
#include "main_form.h"
#include "qt_module_commands.h"
#include "stream_prompter.h"

namespace {

// Seconds since this process started, from the kernel's own record.
double SecondsSinceProcessStart() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i)
        if (i == 22) startTicks = std::stoull(field);
    double uptime = 0;
    std::ifstream("/proc/uptime") >> uptime;
    return uptime - static_cast<double>(startTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qx::gui::ApplyApplicationLook(app);
    qx::gui::StreamPrompter prompter;
    qx::Workspace workspace(qx::ModelVariant::Main(), prompter);
    qx::gui::TMainForm form(workspace);
    form.show();
    QApplication::processEvents();
    const double shownAfter = SecondsSinceProcessStart();

    qx::simtest::TempDir dir;
    qx::simtest::SimProcess sim(dir.File("module"), {}, dir.File("stderr"));
    qx::PortMap ports;
    ports.Override(0, dir.File("module"));
    form.SetPortMap(ports);
    form.SetModuleCommands(std::make_unique<qx::gui::QtModuleCommands>(form));
    form.Menu().Comm_Read->trigger();
    const long rss = ResidentKilobytes();

    std::printf("main window first shown %.3f s after process start (offscreen; /proc resolution 10 ms)\n",
                shownAfter);
    std::printf("resident memory after a Read: %.1f MB (status line \"%s\")\n", static_cast<double>(rss) / 1024.0,
                workspace.StatusText().c_str());
    return 0;
}
