#include "x11/program_under_test.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace qx::x11test {
namespace {

std::vector<std::string> CommandLine(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> all = {std::string(QX_BIN_DIR) + "/" + program, "--probe"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return all;
}

test::ProgramOptions Options(const XSession& session, const std::string& folder, std::vector<std::string> environment) {
    test::ProgramOptions options;
    environment.push_back("DISPLAY=" + session.Display());
    environment.push_back("QT_QPA_PLATFORM=xcb");
    options.environment = std::move(environment);
    options.pipes = true;
    options.log = folder + "/window.log";
    return options;
}

}  // namespace

ProgramUnderTest::ProgramUnderTest(XSession& session, const std::string& folder,
                                   const std::vector<std::string>& arguments,
                                   std::vector<std::string> extraEnvironment, const std::string& program)
    : session_(session),
      process_(CommandLine(program, arguments), Options(session, folder, std::move(extraEnvironment))) {
    // A window that has ended shows as an error of Ask, not as SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
    // Shown, placed by the window manager and active: clicks land where
    // the probe says.
    WaitFor("focus", [](const std::string& a) { return a != "none"; });
}

std::string ProgramUnderTest::Ask(const std::string& request) {
    const std::string line = request + "\n";
    if (::write(process_.Input(), line.data(), line.size()) != static_cast<ssize_t>(line.size()))
        throw std::runtime_error("the window does not take requests (has it ended?)");
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    for (;;) {
        if (const std::size_t end = received_.find('\n'); end != std::string::npos) {
            std::string answer = received_.substr(0, end);
            received_.erase(0, end + 1);
            return answer;
        }
        if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("no answer to " + request);
        pollfd p{process_.Output(), POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char buffer[4096];
        const ssize_t n = ::read(process_.Output(), buffer, sizeof buffer);
        if (n <= 0) throw std::runtime_error("the window has ended");
        received_.append(buffer, static_cast<std::size_t>(n));
    }
}

std::string ProgramUnderTest::WaitFor(const std::string& request,
                                      const std::function<bool(const std::string&)>& accept,
                                      std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string answer = Ask(request);
    while (!accept(answer) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
        answer = Ask(request);
    }
    return answer;
}

std::string ProgramUnderTest::WaitForAnswer(const std::string& request, const std::string& expected,
                                            std::chrono::milliseconds timeout) {
    return WaitFor(request, [&expected](const std::string& a) { return a == expected; }, timeout);
}

ScreenRect ProgramUnderTest::Find(const std::string& name) {
    // A window just shown may still be moved by the window manager (placed,
    // centred, framed): a place counts once two answers 100 ms apart agree.
    // A window that loses its activation for a moment meanwhile (the window
    // manager handing the focus back after a dialog) is waited for again.
    const auto shown = [](const std::string& a) { return a != "none"; };
    std::string answer = WaitFor("rect " + name, shown);
    for (const auto deadline = std::chrono::steady_clock::now() + 5s; std::chrono::steady_clock::now() < deadline;) {
        std::this_thread::sleep_for(100ms);
        std::string again = Ask("rect " + name);
        if (!shown(again)) again = WaitFor("rect " + name, shown);
        if (again == answer) break;
        answer = again;
    }
    ScreenRect r;
    std::istringstream in(answer);
    if (!(in >> r.x >> r.y >> r.width >> r.height)) throw std::runtime_error(name + " is not shown: " + answer);
    return r;
}

void ProgramUnderTest::Click(const std::string& name) {
    const ScreenRect r = Find(name);
    session_.Click(r.x + r.width / 2, r.y + r.height / 2);
}

void ProgramUnderTest::Choose(const std::string& path) {
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('>', start), path.size());
        Click(path.substr(start, end - start));
        start = end + 1;
    }
}

void ProgramUnderTest::TypeInto(const std::string& field, const std::string& text) {
    // A loaded machine can let a pop-up (a file name completer's list) come
    // up between two keys; what the field shows decides, and a field that
    // does not show the text gets it typed again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        Click(field);
        WaitForAnswer("focus", field);
        session_.Keys("ctrl+a");
        session_.Type(text);
        if (WaitForAnswer("text " + field, text, 10s) == text) return;
    }
}

std::string ProgramUnderTest::MessageBoxText() {
    const std::string front =
        WaitFor("modal", [](const std::string& a) { return a.rfind("MessageBox\t", 0) == 0; });
    return front.substr(front.rfind('\t') + 1);
}

}  // namespace qx::x11test
