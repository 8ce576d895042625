// --help and --version of the three programs, as separate processes: every
// qxcfg command's help, reached three ways, exits 0 with its usage, exit
// codes and example; a command takes every option its help names and
// refuses every other; the three programs agree on the version.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "support/run_process.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

using test::RunProgram;

// The command names of the overview's "Commands:" section.
std::vector<std::string> CommandNames() {
    const auto r = RunProgram("qxcfg", {"--help"});
    std::vector<std::string> names;
    std::istringstream in(r.out.substr(r.out.find("\nCommands:\n") + 11));
    for (std::string line; std::getline(in, line) && !line.empty();)
        if (line.rfind("  ", 0) == 0 && line[2] != ' ') names.push_back(line.substr(2, line.find(' ', 2) - 2));
    return names;
}

TEST(ProgramInfo, EveryCommandsHelpExitsZeroWithUsageExitCodesAndExample) {
    const auto names = CommandNames();
    ASSERT_GE(names.size(), 16u);
    for (const std::string& name : names) {
        const auto help = RunProgram("qxcfg", {"help", name});
        EXPECT_EQ(help.exitCode, 0) << name;
        EXPECT_EQ(help.out.rfind("Usage: qxcfg [GLOBAL OPTIONS] " + name + " ", 0), 0u) << help.out;
        EXPECT_NE(help.out.find("\nExit status:\n  0  "), std::string::npos) << help.out;
        EXPECT_NE(help.out.find("\n  $ qxcfg "), std::string::npos) << help.out;
        EXPECT_EQ(help.err, "");
        for (const char* flag : {"--help", "-h"}) {
            const auto after = RunProgram("qxcfg", {"--no", name, "--port", "/nowhere", flag});
            EXPECT_EQ(after.exitCode, 0) << name << ' ' << flag;
            EXPECT_EQ(after.out, help.out) << name << ' ' << flag;
        }
    }
    for (const auto& args : {std::vector<std::string>{"--help"}, {"-h"}, {"help"}}) {
        const auto overview = RunProgram("qxcfg", args);
        EXPECT_EQ(overview.exitCode, 0);
        EXPECT_EQ(overview.out.rfind("Usage: qxcfg ", 0), 0u);
    }
    const auto unknown = RunProgram("qxcfg", {"help", "nosuch"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("unknown command 'nosuch'"), std::string::npos) << unknown.err;
}

// Each command's help lists the exit codes that command can give, and
// only those: 3 only where a question answered No ends the command, 130
// where Ctrl-C can stop a module's work (a wake included), 1 where a module
// or a comparison is involved.
TEST(ProgramInfo, EveryCommandsHelpListsTheExitCodesItCanGive) {
    const std::set<int> file = {0, 2}, module = {0, 1, 2, 130}, asks = {0, 1, 2, 3, 130};
    // set --port and write ask before moving a module where a socket:// port cannot follow.
    const std::map<std::string, std::set<int>> expected = {
        {"show", file},      {"new", file},          {"set", asks},       {"fields", file},    {"commands", file},
        {"parse-listing", file}, {"identify", module}, {"console", module}, {"read", module}, {"get", module},
        {"write", asks},     {"restore", asks},      {"txber", module},   {"rxber", module},
        {"find", module},    {"diff", module},       {"ports", file},     {"history", file}, {"help", file}};
    const std::regex exitLine(R"(^  (\d+) +\S)");
    for (const std::string& name : CommandNames()) {
        std::istringstream help(RunProgram("qxcfg", {"help", name}).out);
        std::set<int> listed;
        bool inExits = false;
        for (std::string line; std::getline(help, line);) {
            std::smatch m;
            if (line == "Exit status:") inExits = true;
            else if (line.empty()) inExits = false;
            else if (inExits && std::regex_search(line, m, exitLine)) listed.insert(std::stoi(m[1]));
        }
        ASSERT_TRUE(expected.count(name)) << name;
        EXPECT_EQ(listed, expected.at(name)) << name;
    }
}

// Every option named in a command's help is taken by that command: given
// with a plausible value, the command never calls it unexpected. A command
// with a port is always given one that does not exist, so that none
// reaches a module.
TEST(ProgramInfo, EveryOptionAHelpNamesIsOneTheCommandTakes) {
    test::ScratchFolder folder;
    const std::string file = folder.Path("f.X7R");
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", file, "--sysaddr", "1"}).exitCode, 0);
    const std::string json = folder.Write("j.json", "{\"sreg_0\": 2}");
    const std::map<std::string, std::string> values = {
        {"COMn|PATH", folder.Path("no-tty")}, {"RATE", "9600"}, {"P-D-S", "N-8-1"}, {"N=PATH", "2=/nowhere"},
        {"FILE", folder.Path("log")},        {"CODE", "43"},   {"N", "3"},         {"J", json},
        {"1|2|3", "3"},                      {"DIR", "/nowhere"}, {"OUT", folder.Path("out.X7R")},
        {"NAME=VALUE", "sreg_0=1"}};
    const std::regex optionLine(R"(^  (-[-\w]+)(?: (\S+))?  )");
    int tried = 0;
    for (const std::string& name : CommandNames()) {
        const std::string text = RunProgram("qxcfg", {"help", name}).out;
        const bool hasPort = text.find("\n  --port ") != std::string::npos;
        std::istringstream help(text);
        for (std::string line; std::getline(help, line);) {
            std::smatch m;
            if (!std::regex_search(line, m, optionLine) || line.find("...") != std::string::npos) continue;
            std::vector<std::string> args = {"--no", name, m[1]};
            if (m[2].matched) args.push_back(values.count(m[2]) ? values.at(m[2]) : "x");
            // Whatever the command needs beside the option.
            if (name == "set" || name == "write" || name == "commands" || name == "parse-listing") args.push_back(file);
            if (hasPort) args.insert(args.end(), {"--port", folder.Path("no-tty")});
            const auto r = RunProgram("qxcfg", args);
            ++tried;
            EXPECT_EQ(r.err.find("'" + std::string(m[1]) + "'"), std::string::npos) << name << ' ' << m[1] << ": " << r.err;
        }
    }
    EXPECT_GT(tried, 70);
}

// The other way: an option that a command's help does not name (but
// another's does) is refused, naming it.
TEST(ProgramInfo, EveryOptionAHelpLeavesOutIsOneTheCommandRefuses) {
    const std::regex optionLine(R"(^  (--[-\w]+))");
    std::map<std::string, std::set<std::string>> listed;
    std::set<std::string> every;
    for (const std::string& name : CommandNames()) {
        std::istringstream help(RunProgram("qxcfg", {"help", name}).out);
        for (std::string line; std::getline(help, line);) {
            std::smatch m;
            if (!std::regex_search(line, m, optionLine)) continue;
            listed[name].insert(m[1]);
            every.insert(m[1]);
        }
    }
    int tried = 0;
    for (const auto& name : CommandNames()) {
        for (const std::string& option : every) {
            if (listed[name].count(option)) continue;
            const auto r = RunProgram("qxcfg", {"--no", name, option});
            ++tried;
            EXPECT_EQ(r.exitCode, 2) << name << ' ' << option;
            EXPECT_NE(r.err.find("'" + option + "'"), std::string::npos) << name << ' ' << option << ": " << r.err;
        }
    }
    EXPECT_GT(tried, 100);
}

TEST(ProgramInfo, TheProgramsAgreeOnTheVersionAndAnswerWithoutADisplay) {
    // A window program that tried to open a display would fail here.
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    const std::regex banner(R"((\S+) (\d+\.\d+ \(build \d+\))\n)");
    std::vector<std::string> programs = {"qxcfg", "qxsim"};
    if (::access(test::BinPath("Cfg_QX7TR").c_str(), X_OK) == 0) programs.insert(programs.end(), {"Cfg_QX7TR", "Cfg_QX5T"});
    std::string version;
    for (const std::string& program : programs) {
        const auto r = RunProgram(program, {"--version"});
        std::smatch m;
        ASSERT_EQ(r.exitCode, 0) << program;
        ASSERT_TRUE(std::regex_match(r.out, m, banner)) << program << ": " << r.out;
        EXPECT_EQ(m[1], program);
        if (version.empty()) version = m[2];
        EXPECT_EQ(m[2], version) << program;
        const auto help = RunProgram(program, {"--help"});
        EXPECT_EQ(help.exitCode, 0) << program;
        EXPECT_TRUE(std::regex_search(help.out, std::regex("^[Uu]sage: " + program + " "))) << program << ": " << help.out;
    }
}

}  // namespace
}  // namespace qx
