#pragma once
// The program's command line: one optional configuration file, plus three
// options for checking a build without a person at the screen.

#include <QStringList>
#include <string>

namespace qx::gui {

struct StartOptions {
    std::string file;        // the configuration file to load at start-up
    bool selfTest = false;   // --selftest: start, print the window's state, end
    QString screenshot;      // --screenshot FILE: start, save the window as PNG, end
    bool probe = false;      // --probe: answer questions about the windows (WindowProbe)
};

StartOptions ParseStartOptions(const QStringList& arguments);

}  // namespace qx::gui
