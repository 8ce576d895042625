#pragma once
// The real Cfg_QX7TR on an X session, asked through its window probe
// (--probe) where its widgets are and what they show; every action on it is
// real input through the session.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "support/program_process.h"
#include "x11/x_session.h"

namespace qx::x11test {

using namespace std::chrono_literals;

struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};

class ProgramUnderTest {
public:
    // Starts the program with `arguments` after --probe and waits until its
    // main window has the focus. `extraEnvironment` adds to the session's;
    // `program` is Cfg_QX7TR or its basic model's name, Cfg_QX5T.
    ProgramUnderTest(XSession& session, const std::string& folder, const std::vector<std::string>& arguments,
                     std::vector<std::string> extraEnvironment = {}, const std::string& program = "Cfg_QX7TR");

    // One probe request and its answer.
    std::string Ask(const std::string& request);
    // Asks until `accept` takes the answer; the last answer either way.
    std::string WaitFor(const std::string& request, const std::function<bool(const std::string&)>& accept,
                        std::chrono::milliseconds timeout = 30s);
    // Until `request` answers exactly `expected`; the last answer.
    std::string WaitForAnswer(const std::string& request, const std::string& expected,
                              std::chrono::milliseconds timeout = 30s);

    // Where a widget, menu item, "button:CAPTION" or "tab:PAGES:CAPTION" is,
    // once it is shown.
    ScreenRect Find(const std::string& name);
    // A real click in the middle of it.
    void Click(const std::string& name);
    // Clicks a control, or a path through the menus ("Comm_Menu>Comm_Read",
    // "Advanced_Menu>Adv_Diag>Diag_RxBer") one step after the other.
    void Choose(const std::string& path);
    // Clicks into a number field and types `text` over its content.
    void TypeInto(const std::string& field, const std::string& text);
    // The text of the front window's message box, once one is shown.
    std::string MessageBoxText();

    XSession& Session() { return session_; }
    // Whether the program is still running; it has ended once it exited.
    bool Running() { return process_.Running(); }

private:
    XSession& session_;
    test::ProgramProcess process_;
    std::string received_;
};

}  // namespace qx::x11test
