#include "x11/x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "e2e/sim_harness.h"

namespace qx::x11test {
namespace {

using namespace std::chrono_literals;

// How long a hand holds a button down.
constexpr auto kPressHold = 150ms;

}  // namespace

XSession::XSession(const std::string& folder) : display_(nullptr, XCloseDisplay) {
    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    test::ProgramOptions serverOptions;
    serverOptions.log = folder + "/xvfb.log";
    serverOptions.fd3 = ready[1];
    try {
        server_ = std::make_unique<test::ProgramProcess>(
            std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
            serverOptions);
    } catch (...) {
        ::close(ready[0]);
        ::close(ready[1]);
        throw;
    }
    ::close(ready[1]);
    // The display number, written once the server accepts connections.
    const std::string number = simtest::ReadFirstLine(ready[0], 30s);
    ::close(ready[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not report its display (installed? scripts/setup)");
    name_ = ":" + number;

    // A request about a window that has just gone is no reason to end the
    // test program (Xlib's own handler would).
    XSetErrorHandler([](::Display*, XErrorEvent*) { return 0; });
    display_.reset(XOpenDisplay(name_.c_str()));
    if (!display_) throw std::runtime_error("cannot open display " + name_);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_.get(), &event, &error, &major, &minor))
        throw std::runtime_error("the X server has no XTEST");

    test::ProgramOptions managerOptions;
    managerOptions.environment = {"DISPLAY=" + name_};
    managerOptions.log = folder + "/openbox.log";
    manager_ = std::make_unique<test::ProgramProcess>(std::vector<std::string>{"openbox", "--sm-disable"}, managerOptions);
    // The manager is at work once it announces itself on the root window.
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (Property(DefaultRootWindow(display_.get()), "_NET_SUPPORTING_WM_CHECK").empty()) {
        if (std::chrono::steady_clock::now() > deadline || !manager_->Running())
            throw std::runtime_error("openbox did not start on " + name_);
        std::this_thread::sleep_for(20ms);
    }
}

XSession::~XSession() {
    manager_.reset();
    display_.reset();
    server_.reset();
}

void XSession::Sync() { XSync(display_.get(), False); }

void XSession::Click(int x, int y) {
    ::Display* d = display_.get();
    XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
    Sync();
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    Sync();
    std::this_thread::sleep_for(kPressHold);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    Sync();
}

void XSession::Type(const std::string& text) {
    ::Display* d = display_.get();
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    for (const char c : text) {
        const auto keysym = static_cast<KeySym>(static_cast<unsigned char>(c));
        const KeyCode code = XKeysymToKeycode(d, keysym);
        if (code == 0) throw std::runtime_error(std::string("no key types '") + c + "'");
        const bool shifted = XkbKeycodeToKeysym(d, code, 0, 0) != keysym;
        if (shifted) XTestFakeKeyEvent(d, shift, True, CurrentTime);
        XTestFakeKeyEvent(d, code, True, CurrentTime);
        XTestFakeKeyEvent(d, code, False, CurrentTime);
        if (shifted) XTestFakeKeyEvent(d, shift, False, CurrentTime);
        Sync();
    }
}

void XSession::Keys(const std::string& chord) {
    ::Display* d = display_.get();
    std::vector<KeyCode> codes;
    std::istringstream parts(chord);
    for (std::string part; std::getline(parts, part, '+');) {
        const KeySym keysym = part == "ctrl" ? XK_Control_L : part == "alt" ? XK_Alt_L : XStringToKeysym(part.c_str());
        const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(d, keysym);
        if (code == 0) throw std::runtime_error("no key " + part);
        codes.push_back(code);
    }
    for (const KeyCode code : codes) XTestFakeKeyEvent(d, code, True, CurrentTime);
    for (auto it = codes.rbegin(); it != codes.rend(); ++it) XTestFakeKeyEvent(d, *it, False, CurrentTime);
    Sync();
}

std::vector<long> XSession::Property(unsigned long window, const char* name) {
    ::Display* d = display_.get();
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> items;
    const Atom atom = XInternAtom(d, name, False);
    if (XGetWindowProperty(d, window, atom, 0, 1 << 24, False, AnyPropertyType, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32) {
        // Xlib hands 32-bit items over as longs.
        const auto* values = reinterpret_cast<const long*>(data);
        items.assign(values, values + count);
    }
    if (data) XFree(data);
    return items;
}

}  // namespace qx::x11test
