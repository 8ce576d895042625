// qxcfg find, diff, write --verify against a module that keeps something
// else, set --from-json, ports on a fake tree and --log, against the
// simulator on real pseudo-terminals and with real files.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "e2e/sim_fixture.h"
#include "support/run_process.h"

namespace qx::simtest {
namespace {

using test::RunProgram;

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class QxcfgFindDiffTest : public SimTest {
protected:
    std::string NewFile(const std::string& name, std::vector<std::string> settings = {}) {
        const std::string file = dir_.File(name);
        EXPECT_EQ(RunProgram("qxcfg", {"new", "-o", file, "--sysaddr", "77"}).exitCode, 0);
        if (settings.empty()) return file;
        settings.insert(settings.begin(), {"set", file});
        const auto r = RunProgram("qxcfg", settings);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return file;
    }
};

TEST_F(QxcfgFindDiffTest, FindsAModuleAtAnUnknownRateTryingTheCurrentSettingsThen9600N81) {
    Start({"--baud", "19200", "--format", "E-7-1"});
    const auto r = RunProgram("qxcfg", {"find", "--port", Link(), "--baud", "4800", "--format", "O-7-2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.rfind("Trying 4800 O-7-2 (1/60)...\nTrying 9600 N-8-1 (2/60)...\nTrying 19200 N-8-1 (3/60)...\n", 0),
              0u)
        << r.err;
    // A pseudo-terminal carries neither data bits nor even parity, so at
    // 19200 the first format tried, N-8-1, already reaches the module.
    EXPECT_EQ(r.out, "settings=--baud 19200 --format N-8-1\nidentification=QX7T-R Radio Modem V1.95 SIM\n");
    // The settings printed are the ones the other commands then use.
    const auto id = RunProgram("qxcfg", {"identify", "--port", Link(), "--baud", "19200", "--format", "E-7-1"});
    EXPECT_EQ(id.exitCode, 0) << id.err;
}

TEST_F(QxcfgFindDiffTest, FindsTheExactFormatWhereTheLineCanTellItApart) {
    // Odd parity and two stop bits survive on a pseudo-terminal.
    Start({"--baud", "38400", "--format", "O-7-2", "--model", "QX5T", "--firmware", "1.80"});
    const auto r = RunProgram("qxcfg", {"find", "--port", Link()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "settings=--baud 38400 --format O-7-2\nidentification=QX5T Radio Modem V1.80 SIM\n");
}

TEST_F(QxcfgFindDiffTest, FindsAModuleInDataModeThroughTheEscapeSequence) {
    Start({"--online", "--baud", "57600", "--guard", "300"});
    const auto r = RunProgram("qxcfg", {"find", "--port", Link()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("settings=--baud 57600 --format N-8-1\n", 0), 0u) << r.out;
}

// With the factory escape character only; each further one adds about 17 s.
TEST_F(QxcfgFindDiffTest, ASilentPortIsScannedWithinAMinute) {
    Start({"--fault", "silent"});
    const auto start = std::chrono::steady_clock::now();
    const auto r = RunProgram("qxcfg", {"find", "--port", Link(), "--escape-chars", "43"});
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Trying 76800 O-7-2 (60/60)..."), std::string::npos);
    EXPECT_NE(r.err.find("No module answered at any serial rate or format (60 tried)."), std::string::npos);
    EXPECT_LT(took, std::chrono::seconds(60));
}

TEST_F(QxcfgFindDiffTest, AMissingPortEndsTheScanWithItsError) {
    const auto r = RunProgram("qxcfg", {"find", "--port", dir_.File("nothing")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(dir_.File("nothing") + "- This port may be already in use or not present."), std::string::npos)
        << r.err;
}

TEST_F(QxcfgFindDiffTest, DiffOfTwoFilesListsEachDifferingSettingWithItsCaption) {
    const std::string a = NewFile("a.X7R");
    const std::string b = NewFile("b.X7R", {"Serial_Baud=6", "sreg_2=35"});
    const auto same = RunProgram("qxcfg", {"diff", a, a});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");
    const auto r = RunProgram("qxcfg", {"diff", a, b});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.out.find("Serial Baud Rate (ATC): " + a + " has 4, " + b + " has 6\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("S2 Escape Character (ATS2=): " + a + " has 43, " + b + " has 35\n"), std::string::npos)
        << r.out;
    const auto json = RunProgram("qxcfg", {"diff", a, b, "--json"});
    EXPECT_EQ(json.exitCode, 1) << json.err;
    // (The new rate's S18/S19 follow.)
    EXPECT_EQ(json.out.rfind("{\"first\": \"" + a + "\", \"second\": \"" + b +
                                 "\", \"result\": \"ok\", \"exit\": 1, \"same\": false, \"differences\": [" +
                                 "{\"setting\": \"Serial Baud Rate (ATC)\", \"first\": \"4\", \"second\": \"6\"}, " +
                                 "{\"setting\": \"S2 Escape Character (ATS2=)\", \"first\": \"43\", \"second\": \"35\"}, ",
                             0),
              0u)
        << json.out;
    EXPECT_EQ(RunProgram("qxcfg", {"diff", a}).exitCode, 2);
    EXPECT_EQ(RunProgram("qxcfg", {"diff", a, "port:"}).exitCode, 2);
    EXPECT_EQ(RunProgram("qxcfg", {"diff", a, dir_.File("missing.X7R")}).exitCode, 2);
}

TEST_F(QxcfgFindDiffTest, DiffOfAFileAndAModuleAndOfTwoModules) {
    Start({"--state", StateFile()});
    const std::string written = NewFile("w.X7R", {"sreg_7=9"});
    ASSERT_EQ(RunProgram("qxcfg", {"write", "--port", Link(), written}).exitCode, 0);
    const auto same = RunProgram("qxcfg", {"diff", written, "port:" + Link()});
    EXPECT_EQ(same.exitCode, 0) << same.out << same.err;

    const std::string other = NewFile("o.X7R", {"sreg_7=12"});
    const auto r = RunProgram("qxcfg", {"diff", "port:" + Link(), other});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, "S7 Connection Attempts (ATS7=): port:" + Link() + " has 9, " + other + " has 12\n");

    // A second module, factory settings, on another link.
    TempDir second;
    SimProcess sim2(second.File("module"), {}, second.File("stderr"));
    ASSERT_FALSE(sim2.SlavePath().empty());
    const auto two = RunProgram("qxcfg", {"diff", "port:" + Link(), "port:" + second.File("module")});
    EXPECT_EQ(two.exitCode, 1) << two.err;
    EXPECT_NE(two.out.find("S7 Connection Attempts (ATS7=): port:" + Link() + " has 9, port:" +
                           second.File("module") + " has 5\n"),
              std::string::npos)
        << two.out;
    EXPECT_EQ(sim2.Stop(), 0);
}

TEST_F(QxcfgFindDiffTest, VerifyCatchesAModuleThatKeepsSomethingElse) {
    Start({"--fault", "ignore-sreg:20"});
    const std::string file = NewFile("v.X7R", {"sreg_20=150"});
    const auto r = RunProgram("qxcfg", {"write", "--port", Link(), file, "--verify"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(r.out, "S20 Default System Address (ATS20=): wrote 150, module has 100\n");
}

TEST_F(QxcfgFindDiffTest, SetFromJsonRefusesWhatAUserCouldNotTypeNamingTheKey) {
    const std::string file = NewFile("f.X7R");
    const std::string before = ReadText(file);
    struct Case {
        const char* json;
        const char* message;
    } cases[] = {
        {R"({"sreg_7": {"x": 1}})", "\"sreg_7\": an object"},
        {R"({"sreg_7": [9]})", "\"sreg_7\": an array"},
        {R"({"chk_Flow": true})", "\"chk_Flow\": true is not a field value"},
        {R"({"sreg_7": null})", "\"sreg_7\": null is not a field value"},
        // What describes the module is not applied, but must be of its kind.
        {R"({"s9": "abc"})", "\"s9\" takes a whole number, not 'abc'"},
        {R"({"status": 5})", "\"status\" takes the status line as a string"},
        {R"({"Serial_Baud": "fast"})", "\"Serial_Baud\" takes one of 115200, 1200"},
        {R"({"OperatingMode": "three"})", "\"OperatingMode\" takes one of transparent, transparent-repeater"},
        {R"({"no_such_field": 1})", "unknown setting 'no_such_field'"},
        {R"({"sreg_7": "9x"})", "\"sreg_7\" takes a whole number, not '9x'"},
        {R"({"OperatingMode": 9})", "OperatingMode"},
        {R"({"sreg_7": 1,})", "expected a key"},
    };
    for (const auto& c : cases) {
        std::ofstream(dir_.File("bad.json")) << c.json;
        const auto r = RunProgram("qxcfg", {"set", file, "--from-json", dir_.File("bad.json")});
        EXPECT_EQ(r.exitCode, 2) << c.json;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.json << " -> " << r.err;
    }
    EXPECT_EQ(ReadText(file), before);  // nothing saved
    EXPECT_EQ(RunProgram("qxcfg", {"set", file, "--from-json", dir_.File("missing.json")}).exitCode, 2);
    // A number field takes its number as a string too; the mode goes first
    // (its rule presets the first destination), whatever the object's order.
    std::ofstream(dir_.File("typed.json")) << R"({"sreg_7": "12", "OperatingMode": 3, "Z0_Dest": 40})";
    ASSERT_EQ(RunProgram("qxcfg", {"set", file, "--from-json", dir_.File("typed.json")}).exitCode, 0);
    const auto commands = RunProgram("qxcfg", {"commands", file}).out;
    EXPECT_NE(commands.find("ATS7=12\n"), std::string::npos) << commands;
    EXPECT_NE(commands.find("AT&Z0=40\n"), std::string::npos) << commands;
}

TEST_F(QxcfgFindDiffTest, PortsListsTheDevicesOfAFakeTree) {
    namespace fs = std::filesystem;
    const fs::path sys = dir_.File("sys"), dev = dir_.File("dev");
    const fs::path usb = sys / "devices/usb1/1-1";
    fs::create_directories(usb / "1-1:1.0/ttyUSB0");
    fs::create_directories(sys / "bus/drivers/ftdi_sio");
    fs::create_directory_symlink(sys / "bus/drivers/ftdi_sio", usb / "1-1:1.0/ttyUSB0/driver");
    std::ofstream(usb / "manufacturer") << "FTDI\n";
    std::ofstream(usb / "product") << "FT232R USB UART\n";
    fs::create_directories(sys / "class/tty/ttyUSB0");
    fs::create_directory_symlink(usb / "1-1:1.0/ttyUSB0", sys / "class/tty/ttyUSB0/device");
    fs::create_directories(dev / "serial/by-id");
    std::ofstream(dev / "ttyUSB0") << "";
    fs::create_symlink("../../ttyUSB0", dev / "serial/by-id/usb-FTDI_A1-if00-port0");

    const auto r = RunProgram("qxcfg", {"ports", "--sysfs", sys.string(), "--dev", dev.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, (dev / "ttyUSB0").string() + "  COM1\n  by-id:  " + (dev / "serial/by-id/usb-FTDI_A1-if00-port0").string() +
                         "\n  driver: ftdi_sio\n  usb:    FTDI FT232R USB UART\n");
    const auto json = RunProgram("qxcfg", {"ports", "--sysfs", sys.string(), "--dev", dev.string(), "--json",
                                           "--com", "2=rfc2217://modems:7777"});
    EXPECT_EQ(json.out, "{\"ports\": [{\"path\": \"" + (dev / "ttyUSB0").string() + "\", \"com\": \"COM1\", \"by-id\": \"" +
                            (dev / "serial/by-id/usb-FTDI_A1-if00-port0").string() +
                            "\", \"driver\": \"ftdi_sio\", \"usb\": \"FTDI FT232R USB UART\"}, " +
                            "{\"path\": \"rfc2217://modems:7777\", \"com\": \"COM2\"}]}\n");
    const auto moved = RunProgram("qxcfg", {"ports", "--com", "1=/dev/ttyS0", "--com", "3=" + (dev / "ttyUSB0").string(),
                                            "--sysfs", sys.string(), "--dev", dev.string()});
    EXPECT_EQ(moved.out.substr(0, moved.out.find('\n')), (dev / "ttyUSB0").string() + "  COM3");
    const auto none = RunProgram("qxcfg", {"ports", "--sysfs", dir_.File("none"), "--dev", dev.string()});
    EXPECT_EQ(none.out, "No serial devices found.\n");
}

// The log with every time written "T" and the version "V", so that its
// lines can be compared whole; and whether every line has one of `shapes`.
std::string Normalised(const std::string& text) {
    static const std::regex time(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)");
    static const std::regex version(R"(qxcfg \d+\.\d+ \(build \d+\))");
    return std::regex_replace(std::regex_replace(text, time, "T"), version, "qxcfg V");
}
bool EveryLineIs(const std::string& text, const std::regex& shapes) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!std::regex_search(line, shapes)) return false;
    return true;
}

TEST_F(QxcfgFindDiffTest, LogFileHoldsAHeaderAndBothDirectionsWithTheirTime) {
    Start();
    const std::string log = dir_.File("comm.log");
    ASSERT_EQ(RunProgram("qxcfg", {"identify", "--port", Link(), "--log", log}).exitCode, 0);
    const auto read = RunProgram("qxcfg", {"read", "--port", Link(), "--log", log, "--verbose"});
    ASSERT_EQ(read.exitCode, 0) << read.err;
    // --verbose: both directions on standard error, escaped, one line each.
    for (const char c : read.err) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << int(c);
    EXPECT_NE(read.err.find("\n> AT&V\\r\n< AT&V\\r\\r\\nB0 C4 E1"), std::string::npos) << read.err;
    // identify's channel, whole: its header, the wake (CR, OK), ATI and the
    // identification; then the read's channel.
    const std::string text = Normalised(ReadText(log));
    const std::string header = "# qxcfg V, model QX7T-R, port COM1 " + Link() + ", 9600 N-8-1, started T\n";
    EXPECT_EQ(text.rfind(header + "T > \\r\nT < \\r\\r\\nOK\\r\\n\nT > ATI\\r\n" +
                             "T < ATI\\r\\r\\nQX7T-R Radio Modem V1.95 SIM\\r\\n\\r\\nOK\\r\\n\n" + header,
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("\nT > AT&V\\r\nT < AT&V\\r\\r\\nB0 C4 E1"), std::string::npos) << text;
    EXPECT_TRUE(EveryLineIs(text, std::regex("^(# |T [<>] )"))) << text;
    const auto bad = RunProgram("qxcfg", {"identify", "--port", Link(), "--log", dir_.File("no/dir/x.log")});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("Cannot write " + dir_.File("no/dir/x.log") + ": No such file or directory"),
              std::string::npos)
        << bad.err;
}

// "-o -": the file the read would save, alone on standard output.
TEST_F(QxcfgFindDiffTest, ReadToStandardOutputWritesOnlyTheFile) {
    Start();
    const auto piped = RunProgram("qxcfg", {"read", "--port", Link(), "-o", "-"});
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    ASSERT_EQ(RunProgram("qxcfg", {"read", "--port", Link(), "-o", dir_.File("read.X7R")}).exitCode, 0);
    EXPECT_EQ(piped.out, ReadText(dir_.File("read.X7R")));
    EXPECT_EQ(piped.out.find('\n'), piped.out.size() - 1) << piped.out;
}

// Two modules read at once into one log: each line names its port, and
// every line is whole.
TEST_F(QxcfgFindDiffTest, SeveralPortsShareALogLineByLine) {
    Start();
    SimProcess second(dir_.File("second"), {}, dir_.File("stderr2"));
    const std::string log = dir_.File("shared.log");
    const auto r = RunProgram("qxcfg", {"read", "--port", Link(), "--port", dir_.File("second"), "--log", log});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = Normalised(ReadText(log));
    for (const std::string& port : {Link(), dir_.File("second")})
        EXPECT_NE(text.find("\nT " + port + " > AT&V\\r\n"), std::string::npos) << port << '\n' << text;
    EXPECT_TRUE(EveryLineIs(text, std::regex("^(# qxcfg|T " + dir_.File("") + "(module|second) [<>] )"))) << text;
}

}  // namespace
}  // namespace qx::simtest
