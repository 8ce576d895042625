// qxcfg's file commands as separate processes: new, set, show, commands
// and parse-listing agree with each other and with the window's rules.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "support/listing_builder.h"
#include "support/field_lines.h"
#include "support/run_process.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

using test::RunProgram;

std::map<std::string, std::string> Fields(const std::string& out) { return test::ParseFieldLines(out); }

const char* kWorkedExample =
    "ATB0\nATC4\nATE1\nATQ0\nATV1\nATX0\nAT&B2\nAT&C1\nAT&D0\nAT&E0\nAT&G1\nAT&K4\nAT&S17\nAT&U1\nAT\\T0\n"
    "ATS0=1\nATS1=50\nATS2=43\nATS3=13\nATS4=10\nATS5=8\nATS6=0\nATS7=5\nATS8=0\nATS10=1\nATS11=0\nATS14=255\n"
    "ATS16=0\nATS17=0\nATS18=120\nATS19=5\nATS20=100\nATS21=1\nAT&Z1=\nAT&Z2=\nAT&Z3=\nAT&Z0=\nAT&L1\nAT&N1\n"
    "AT&M0\n";

TEST(QxcfgFiles, CommandsPrintsTheWorkedExample) {
    const auto r = RunProgram("qxcfg", {"commands", "--sysaddr", "17"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, kWorkedExample);
}

TEST(QxcfgFiles, NewSetShowAndCommandsAgreeOnEveryMode) {
    test::ScratchFolder folder;
    const std::string base = folder.Path("base.X7R");
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", base, "--sysaddr", "17"}).exitCode, 0);
    EXPECT_EQ(RunProgram("qxcfg", {"commands", base}).out, kWorkedExample);

    for (const char* mode : {"1", "2", "3", "4", "5"}) {
        const std::string file = folder.Path(std::string("mode") + mode + ".X7R");
        const std::vector<std::string> actions = {std::string("OperatingMode=") + mode, "sreg_0=9", "ed_TM_GrpAdd1=4"};
        std::vector<std::string> setArgs = {"set", base};
        setArgs.insert(setArgs.end(), actions.begin(), actions.end());
        setArgs.insert(setArgs.end(), {"-o", file});
        const auto set = RunProgram("qxcfg", setArgs);
        ASSERT_EQ(set.exitCode, 0) << set.err;

        // show FILE gives what show --set gives on the same start.
        std::vector<std::string> showArgs = {"show", "--sysaddr", "17"};
        for (const auto& a : actions) showArgs.insert(showArgs.end(), {"--set", a});
        const auto loaded = Fields(RunProgram("qxcfg", {"show", file}).out);
        const auto direct = Fields(RunProgram("qxcfg", showArgs).out);
        EXPECT_EQ(loaded.at("OperatingMode"), mode);
        for (const char* name : {"OperatingMode", "sreg_0", "ed_TM_GrpAdd1", "ed_CM_UnitAdd", "TM_Auto_OnLine",
                                 "sreg_18", "sreg_19", "ed_TM_SysAdd"})
            EXPECT_EQ(loaded.at(name), direct.at(name)) << "mode " << mode << ": " << name;

        // commands FILE equals commands with the same actions applied.
        const auto fromFile = RunProgram("qxcfg", {"commands", file});
        ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
        EXPECT_NE(fromFile.out.find("ATS0=9\n"), std::string::npos);
        // Saved again unchanged, the file keeps its bytes.
        const std::string copy = folder.Path("copy.X7R");
        ASSERT_EQ(RunProgram("qxcfg", {"set", file, "sreg_0=9", "-o", copy}).exitCode, 0);
        EXPECT_EQ(test::ReadWholeFile(copy), test::ReadWholeFile(file)) << "mode " << mode;
    }
}

TEST(QxcfgFiles, SetWithoutOutputReplacesTheFile) {
    test::ScratchFolder folder;
    const std::string file = folder.Path("f.X7R");
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", file, "--sysaddr", "5"}).exitCode, 0);
    ASSERT_EQ(RunProgram("qxcfg", {"set", file, "sreg_20=33"}).exitCode, 0);
    EXPECT_NE(test::ReadWholeFile(file).find(" ATS20:33 "), std::string::npos);
}

// A file that is there but cannot be loaded, and one that is not there at
// all, are told apart; nothing is printed on standard output.
TEST(QxcfgFiles, LoadFailuresAndUsageErrors) {
    test::ScratchFolder folder;
    const std::string bad = folder.Write("bad.X7R", "not a configuration\r\n");
    const std::string missing = folder.Path("missing.X7R");
    const std::string loadMessage = "ERROR: Unable to load file. The file may be corrupt, or incorrect.\n";
    const std::string missingMessage = "ERROR: No such file: " + missing + "\n";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"show", bad}, loadMessage},
        {{"commands", bad}, loadMessage},
        {{"set", bad, "sreg_0=1"}, loadMessage},
        {{"show", missing}, missingMessage},
        {{"set", missing, "s7=3"}, missingMessage},
        {{"commands", missing}, missingMessage},
        {{"parse-listing", missing}, missingMessage},
        {{"diff", missing, bad}, missingMessage},
        {{"write", "--port", folder.Path("no-tty"), missing}, missingMessage},
        {{"set", bad, "--from-json", missing}, missingMessage},
    };
    for (const auto& [args, message] : cases) {
        const auto r = RunProgram("qxcfg", args);
        EXPECT_EQ(r.exitCode, 2) << args[0];
        EXPECT_EQ(r.err, message) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
    }
    EXPECT_EQ(test::ReadWholeFile(bad), "not a configuration\r\n");  // a failed set writes nothing

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"new"}, {"new", "-o"}, {"set", bad}, {"set"}, {"commands", "a", "b"},
          {"parse-listing"}}) {
        EXPECT_EQ(RunProgram("qxcfg", args).exitCode, 2) << args[0] << " " << args.size();
    }
    const std::string good = folder.Path("good.X7R");
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", good}).exitCode, 0);
    const std::string before = test::ReadWholeFile(good);
    EXPECT_EQ(RunProgram("qxcfg", {"set", good, "nonsense"}).exitCode, 2);
    EXPECT_EQ(RunProgram("qxcfg", {"set", good, "sreg_9=5"}).exitCode, 2);  // display only
    EXPECT_EQ(test::ReadWholeFile(good), before);
}

TEST(QxcfgFiles, SaveIntoAnImpossiblePlaceFailsWithTheReason) {
    test::ScratchFolder folder;
    const std::string plain = folder.Write("plain", "x");
    const auto r = RunProgram("qxcfg", {"new", "-o", plain + "/f.X7R"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("Not a directory"), std::string::npos) << r.err;
}

// new -o onto what the name stands for: a FIFO, a device node and a link
// stay what they are, and the content arrives where a plain write puts it.
// "-o -" puts the file on standard output.
TEST(QxcfgFiles, SavesOntoFifosDevicesAndLinksWithoutReplacingThem) {
    test::ScratchFolder folder;
    const std::string expected = RunProgram("qxcfg", {"new", "-o", "-", "--sysaddr", "17"}).out;
    ASSERT_EQ(expected.rfind(" ATB0 ATC4 ", 0), 0u) << expected;
    ASSERT_TRUE(expected.ends_with(" \r\n"));

    ASSERT_EQ(::mkfifo(folder.Path("fifo").c_str(), 0600), 0);
    const int reader = ::open(folder.Path("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_EQ(::symlink("target.X7R", folder.Path("link").c_str()), 0);
    const bool haveDevice = ::mknod(folder.Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    struct Case {
        const char* name;
        mode_t type;
    };
    for (const Case& c : {Case{"fifo", S_IFIFO}, Case{"link", S_IFLNK}, Case{"null", S_IFCHR}}) {
        if (c.type == S_IFCHR && !haveDevice) continue;  // mknod not permitted here
        const auto r = RunProgram("qxcfg", {"new", "-o", folder.Path(c.name), "--sysaddr", "17"});
        EXPECT_EQ(r.exitCode, 0) << c.name << ": " << r.err;
        struct stat st {};
        ASSERT_EQ(::lstat(folder.Path(c.name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & S_IFMT, c.type) << c.name;
    }
    std::string piped(4096, '\0');
    piped.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, piped.data(), piped.size()))));
    ::close(reader);
    EXPECT_EQ(piped, expected);
    EXPECT_EQ(test::ReadWholeFile(folder.Path("target.X7R")), expected);

    // Standard output by its name: a pipe here, reached through /proc.
    EXPECT_EQ(RunProgram("qxcfg", {"new", "-o", "/dev/stdout", "--sysaddr", "17"}).out, expected);

    const auto set = RunProgram("qxcfg", {"set", folder.Path("target.X7R"), "sreg_0=9", "-o", "-"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_NE(set.out.find(" ATS0:9 "), std::string::npos) << set.out;
    EXPECT_EQ(test::ReadWholeFile(folder.Path("target.X7R")), expected);  // FILE itself untouched
}

TEST(QxcfgFiles, ParseListingReadsACapturedListing) {
    test::ScratchFolder folder;
    const std::string listing =
        folder.Write("cap.txt", "AT&V\r\n" + test::Listing().Set("&M", "2").Set("&L", "3").Set("S9:", "71").Text());
    const auto r = RunProgram("qxcfg", {"parse-listing", listing});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto f = Fields(r.out);
    EXPECT_EQ(f.at("OperatingMode"), "4");
    EXPECT_EQ(f.at("sreg_9"), "71");

    const std::string broken = folder.Write("broken.txt", test::Listing().Set("&Z1=", "3,,4").Text());
    const auto b = RunProgram("qxcfg", {"parse-listing", broken});
    EXPECT_EQ(b.exitCode, 2);
    EXPECT_NE(b.err.find("'' is not a valid integer value"), std::string::npos) << b.err;
}

TEST(QxcfgFiles, BasicModelRefusesFastModeFromAFile) {
    test::ScratchFolder folder;
    const std::string file = folder.Path("fast.X7R");
    ASSERT_EQ(RunProgram("qxcfg", {"new", "-o", file}).exitCode, 0);
    ASSERT_EQ(RunProgram("qxcfg", {"set", file, "OperatingMode=3", "chk_CM_Fast=1"}).exitCode, 0);
    const auto r = RunProgram("qxcfg", {"--model", "QX5T", "show", file});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("ERROR: Fast Controlled Mode operation has been detected."), std::string::npos) << r.err;
    EXPECT_EQ(Fields(r.out).at("OperatingMode"), "1");
    // Refused, the file is not written over with the defaults.
    const std::string before = test::ReadWholeFile(file);
    EXPECT_EQ(RunProgram("qxcfg", {"--model", "QX5T", "set", file, "s0=2"}).exitCode, 2);
    EXPECT_EQ(test::ReadWholeFile(file), before);
}

}  // namespace
}  // namespace qx
