// The real window under a real X server and window manager, driven by real
// mouse and keyboard events: what the offscreen tests, whose scripted
// prompter never blocks, cannot see (the focus taken by a press, a modal box
// that takes the release, what the screen shows after a command).

#include <gtest/gtest.h>

#include <memory>

#include "e2e/sim_harness.h"
#include "support/scratch_folder.h"
#include "x11/program_under_test.h"

namespace qx::x11test {
namespace {

using simtest::SimProcess;

// Packet size 220 (S14 code 100), Tx hold-off 33, S18 and S19 at 1 (so PLC
// Mode is on and asks its question), 9600 bit/s N-8-1.
constexpr const char* kSiteFile =
    " ATB0 ATC4 ATE1 ATQ0 ATV1 ATX0 AT&B2 AT&C1 AT&D0 AT&E0 AT&G1 AT&K4 AT&L1 AT&N1 AT&M0 AT&S17 AT&U1 AT\\T0 "
    "ATS0:1 ATS1:50 ATS2:43 ATS3:13 ATS4:10 ATS5:8 ATS6:0 ATS7:5 ATS8:0 ATS10:1 ATS11:0 ATS14:100 ATS16:33 "
    "ATS17:0 ATS18:1 ATS19:1 ATS20:100 ATS21:1 AT&Z1= AT&Z2= AT&Z3= AT&Z0= \r\n";
// The module's serial settings 115200 bit/s, 7 data bits, odd parity, two
// stop bits.
constexpr const char* kFastFile =
    " ATB0 ATC12 ATE1 ATQ0 ATV1 ATX0 AT&B9 AT&C1 AT&D0 AT&E0 AT&G1 AT&K4 AT&L1 AT&N1 AT&M0 AT&S17 AT&U1 AT\\T0 "
    "ATS0:1 ATS1:50 ATS2:43 ATS3:13 ATS4:10 ATS5:8 ATS6:0 ATS7:5 ATS8:0 ATS10:1 ATS11:0 ATS14:255 ATS16:0 "
    "ATS17:0 ATS18:0 ATS19:1 ATS20:100 ATS21:1 AT&Z1= AT&Z2= AT&Z3= AT&Z0= \r\n";

constexpr const char* kThresholdQuestion = "Automatically adjust S18 & S19 (recommended)?";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Waits until `check` holds for the file's content.
bool FileComesToHold(const std::string& path, const std::function<bool(const std::string&)>& check) {
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!check(test::ReadWholeFile(path))) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// One desk: a display with its window manager, and per run a simulated
// module on "Com 1" and the program.
struct Desk {
    test::ScratchFolder dir;
    XSession x{dir.Path("")};
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<ProgramUnderTest> window;

    // A fresh module (its stored settings in `state`) and a fresh program.
    void Start(const std::string& state, std::vector<std::string> arguments, std::vector<std::string> simArgs = {}) {
        window.reset();
        sim.reset();
        simArgs.insert(simArgs.begin(), {"--state", state});
        sim = std::make_unique<SimProcess>(dir.Path("module"), simArgs, dir.Path("qxsim.log"));
        arguments.insert(arguments.begin(), {"--com", "1=" + dir.Path("module")});
        window = std::make_unique<ProgramUnderTest>(x, dir.Path(""), arguments);
    }
};

// What a command leaves behind when it has run.
enum class Effect { ModuleStored, FileSaved, ModuleRead };

TEST(WindowX11, ACommandRunsAfterTheExitRuleQuestionWhateverTheAnswer) {
    struct Row {
        const char* command;
        const char* answer;
        Effect effect;
    };
    const Row rows[] = {
        {"tb_Program", "Yes", Effect::ModuleStored},
        {"tb_Program", "No", Effect::ModuleStored},
        {"tb_Save", "Yes", Effect::FileSaved},
        {"tb_Save", "No", Effect::FileSaved},
        {"tb_UpLoad", "Yes", Effect::ModuleRead},
        {"tb_UpLoad", "No", Effect::ModuleRead},
        {"Comm_Menu>Comm_Configure", "Yes", Effect::ModuleStored},
        {"Comm_Menu>Comm_Read", "No", Effect::ModuleRead},
    };
    Desk desk;
    int run = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.command) + " answered " + row.answer);
        const std::string site = desk.dir.Write("site" + std::to_string(run) + ".X7R", kSiteFile);
        const std::string state = desk.dir.Path("state" + std::to_string(run++));
        desk.Start(state, {site});
        ProgramUnderTest& w = *desk.window;

        w.TypeInto("Radio_PackSize", "700");
        w.Choose(row.command);
        ASSERT_EQ(w.MessageBoxText(), kThresholdQuestion);
        w.Click(std::string("button:") + row.answer);

        // S18 as the answer left it: recomputed for the clamped packet
        // size, or the file's 1.
        const bool yes = std::string(row.answer) == "Yes";
        switch (row.effect) {
            case Effect::ModuleStored:
                EXPECT_TRUE(FileComesToHold(state, [yes](const std::string& s) {
                    return Contains(s, "\nS14=255\n") && Contains(s, "\nS16=33\n") &&
                           Contains(s, yes ? "\nS18=120\n" : "\nS18=1\n");
                })) << test::ReadWholeFile(state);
                break;
            case Effect::FileSaved:
                EXPECT_TRUE(FileComesToHold(site, [yes](const std::string& s) {
                    return Contains(s, " ATS14:255 ") && Contains(s, yes ? " ATS18:120 " : " ATS18:1 ");
                })) << test::ReadWholeFile(site);
                break;
            case Effect::ModuleRead:
                EXPECT_TRUE(Contains(w.WaitFor("text StatusBar1", [](const std::string& t) { return Contains(t, "V1.95"); }),
                                     "V1.95"));
                break;
        }
        // The command has ended with nothing left open.
        EXPECT_EQ(w.WaitForAnswer("modal", "none", 60s), "none");
    }
}

TEST(WindowX11, AControlClickedAfterTheExitRuleQuestionTakesItsClick) {
    struct Row {
        const char* control;
        const char* answer;
        const char* request;  // what shows that the click was taken
        const char* expected;
    };
    const Row rows[] = {
        {"Radio_Crc_1", "Yes", "checked Radio_Crc_1", "yes"},
        {"Radio_Crc_1", "No", "checked Radio_Crc_1", "yes"},
        {"rb_ContMode", "Yes", "checked rb_ContMode", "yes"},
        {"tab:Page_Settings:Serial", "No", "text Page_Settings", "Serial"},
    };
    Desk desk;
    int run = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.control) + " answered " + row.answer);
        const std::string site = desk.dir.Write("site" + std::to_string(run++) + ".X7R", kSiteFile);
        desk.Start(desk.dir.Path("state"), {site});
        ProgramUnderTest& w = *desk.window;

        w.TypeInto("Radio_PackSize", "700");
        w.Click(row.control);
        ASSERT_EQ(w.MessageBoxText(), kThresholdQuestion);
        w.Click(std::string("button:") + row.answer);
        EXPECT_EQ(w.WaitForAnswer(row.request, row.expected), row.expected);
        EXPECT_EQ(w.WaitForAnswer("modal", "none"), "none");
    }
}

TEST(WindowX11, ThePanelsShowTheHostSettingsOfALoadedFile) {
    struct Row {
        const char* how;
        bool onCommandLine;
    };
    const Row rows[] = {{"named on the command line", true}, {"File > Open", false}};
    Desk desk;
    const std::string fast = desk.dir.Write("fast.X7R", kFastFile);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        desk.Start(desk.dir.Path("state"), row.onCommandLine ? std::vector<std::string>{fast} : std::vector<std::string>{});
        ProgramUnderTest& w = *desk.window;
        if (!row.onCommandLine) {
            EXPECT_EQ(w.Ask("text StatusBar_BaudRate"), "9600");
            w.Choose("File_Menu>File_Open");
            w.TypeInto("fileNameEdit", fast);
            // The name field's completer lists the folder once it has read
            // it; a Return that comes while its list is up only closes the
            // list, so Return until the box has gone.
            for (int tries = 0; tries < 5 && w.Ask("modal") != "none"; ++tries) {
                w.Session().Keys("Return");
                w.WaitForAnswer("modal", "none", 3s);
            }
            ASSERT_EQ(w.Ask("modal"), "none") << "the name field holds: " << w.Ask("text fileNameEdit");
        }
        EXPECT_EQ(w.WaitForAnswer("text StatusBar_BaudRate", "115200"), "115200");
        EXPECT_EQ(w.WaitForAnswer("text StatusBar_Other", "O-7-2"), "O-7-2");
        EXPECT_EQ(w.Ask("text StatusBar_ComPort"), "Com 1");
    }
}

TEST(WindowX11, CancelInTheProgressWindowEndsARead) {
    Desk desk;
    // Every answer takes a second: the read is still going when Cancel comes.
    desk.Start(desk.dir.Path("state"), {}, {"--fault", "slow:1000"});
    ProgramUnderTest& w = *desk.window;
    w.Choose("Comm_Menu>Comm_Read");
    w.Click("CancelBitBtn");
    EXPECT_EQ(w.WaitForAnswer("modal", "none", 60s), "none");
    EXPECT_EQ(w.Ask("text StatusBar1"), "");
}

TEST(WindowX11, EveryWindowCarriesTheApplicationIcon) {
    Desk desk;
    desk.Start(desk.dir.Path("state"), {});
    ProgramUnderTest& w = *desk.window;
    w.Click("tb_Help");
    for (const char* window : {"TMainForm", "TForm_HelpAbout"}) {
        SCOPED_TRACE(window);
        const unsigned long id = std::stoul(w.WaitFor(std::string("winid ") + window,
                                                      [](const std::string& a) { return a != "none"; }));
        // _NET_WM_ICON: width, height and the pixels of each size in turn.
        const std::vector<long> icon = w.Session().Property(id, "_NET_WM_ICON");
        ASSERT_GE(icon.size(), 2u);
        EXPECT_GE(icon[0], 16);
        EXPECT_EQ(icon[0], icon[1]);
        EXPECT_GE(icon.size(), 2u + static_cast<std::size_t>(icon[0] * icon[1]));
    }
}

}  // namespace
}  // namespace qx::x11test
