#pragma once
// A private X display for one test: Xvfb on a display number it picks
// itself, openbox managing its windows (title bars with all their buttons,
// focus, placement), and a connection that makes real input through the
// XTest extension: the server turns it into the same events a mouse and a
// keyboard make. Everything is ended when the session goes.

#include <memory>
#include <string>
#include <vector>

#include "support/program_process.h"

struct _XDisplay;

namespace qx::x11test {

class XSession {
public:
    // `folder` receives the servers' logs.
    explicit XSession(const std::string& folder);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    const std::string& Display() const { return name_; }

    // Presses the left button at (x, y), holds it as a hand does, releases.
    void Click(int x, int y);
    // Types printable ASCII text, with Shift where the keyboard needs it.
    void Type(const std::string& text);
    // Presses keys together and releases them: "Return", "ctrl+a".
    void Keys(const std::string& chord);
    // A property of a window as 32-bit items (empty when it is not set).
    std::vector<long> Property(unsigned long window, const char* name);

private:
    void Sync();

    std::string name_;
    std::unique_ptr<test::ProgramProcess> server_;
    std::unique_ptr<_XDisplay, int (*)(_XDisplay*)> display_;
    std::unique_ptr<test::ProgramProcess> manager_;
};

}  // namespace qx::x11test
