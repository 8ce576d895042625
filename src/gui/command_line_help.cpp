#include "command_line_help.h"

#include <algorithm>

#include "app/version_block.h"

namespace qx::gui {

namespace {

void PrintHelp(const std::string& name, std::ostream& out) {
    out << "Usage: " << name << " [--com N=PATH|URL]... [FILE.X7R]\n"
        << "  or:  " << name << " --selftest | --screenshot FILE.png\n"
        << "  or:  " << name << " --version\n"
        << "\n"
        << "The desktop configuration window for QX radio modems: reads a module's\n"
        << "configuration, edits it under the module's rules, writes it back, saves and\n"
        << "loads .X7R files, restores factory defaults and runs radio diagnostics. The\n"
        << "model comes from the program's name: Cfg_QX7TR serves the QX7T-R, Cfg_QX5T\n"
        << "(a link to the same program) the QX5T.\n"
        << "\n"
        << "Options:\n"
        << "  --com N=PATH|URL     \"Com N\" (N from 1 to 8) is the device PATH, or the port\n"
        << "                       server at rfc2217://HOST:PORT or socket://HOST:PORT\n"
        << "                       (default: Com N is /dev/ttyUSB(N-1); repeatable)\n"
        << "  FILE.X7R             a configuration file to load at start\n"
        << "  --selftest           start without showing the window, print its state, end\n"
        << "  --screenshot FILE    start, save the window as a PNG picture, end\n"
        << "  --probe              with the window: answer questions about the windows,\n"
        << "                       one line each on standard input (for tests and\n"
        << "                       screenshots under an X server; see the README)\n"
        << "  -h, --help           print this help\n"
        << "  --version            print the version the About box shows, with the build\n"
        << "\n"
        << "Exit status:\n"
        << "  0  the window was closed\n"
        << "  1  the program's name holds neither \"QX7\" nor \"QX5\" (Filename Error!)\n"
        << "  2  usage error (a malformed --com, its address included)\n"
        << "\n"
        << "Example:\n"
        << "  $ " << name << " --com 1=/dev/ttyS0 site.X7R\n"
        << "  $ " << name << " --com 2=rfc2217://modembox:7777\n";
}

}  // namespace

std::optional<int> AnswerInformationOptions(const std::string& programName, const std::vector<std::string>& arguments,
                                            std::ostream& out) {
    const std::string name = programName.substr(programName.rfind('/') + 1);
    const auto given = [&](std::initializer_list<const char*> names) {
        return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& a) {
            return std::find(names.begin(), names.end(), a) != names.end();
        });
    };
    if (given({"--help", "-h"})) {
        PrintHelp(name, out);
        return 0;
    }
    if (given({"--version"})) {
        out << OwnVersionBanner(name) << '\n';
        return 0;
    }
    return std::nullopt;
}

}  // namespace qx::gui
