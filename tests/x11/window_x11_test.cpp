// The real window under a real X server and window manager, driven by real
// mouse and keyboard events: what the offscreen tests, whose scripted
// prompter never blocks, cannot see (the focus taken by a press, a modal box
// that takes the release, what the screen shows after a command).

#include <gtest/gtest.h>

#include <filesystem>
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

// Single-Connect with Fast Operation: the basic model refuses it.
constexpr const char* kFastModeFile =
    " ATB0 ATC4 ATE1 ATQ0 ATV1 ATX0 AT&B2 AT&C1 AT&D0 AT&E0 AT&G1 AT&K4 AT&L0 AT&N1 AT&M3 AT&S17 AT&U1 AT\\T0 "
    "ATS0:1 ATS1:50 ATS2:43 ATS3:13 ATS4:10 ATS5:8 ATS6:0 ATS7:5 ATS8:0 ATS10:1 ATS11:0 ATS14:255 ATS16:0 "
    "ATS17:0 ATS18:120 ATS19:5 ATS20:100 ATS21:1 AT&Z1= AT&Z2= AT&Z3= AT&Z0= \r\n";

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
    void Start(const std::string& state, std::vector<std::string> arguments, std::vector<std::string> simArgs = {},
               const std::string& program = "Cfg_QX7TR") {
        window.reset();
        sim.reset();
        simArgs.insert(simArgs.begin(), {"--state", state, "--verbose"});
        std::filesystem::remove(dir.Path("qxsim.log"));
        sim = std::make_unique<SimProcess>(dir.Path("module"), simArgs, dir.Path("qxsim.log"));
        StartProgram(std::move(arguments), program);
    }
    // The program alone: "Com 1" leads nowhere.
    void StartProgram(std::vector<std::string> arguments, const std::string& program = "Cfg_QX7TR") {
        window.reset();
        arguments.insert(arguments.begin(), {"--com", "1=" + dir.Path("module")});
        window = std::make_unique<ProgramUnderTest>(x, dir.Path(""), arguments, std::vector<std::string>{}, program);
    }
    // What the module received, as its --verbose log shows it.
    std::string ModuleLog() { return test::ReadWholeFile(dir.Path("qxsim.log")); }
};

// The text of the message box in front, if one is.
std::string BoxText(const std::string& modal) {
    return modal.rfind("MessageBox\t", 0) == 0 ? modal.substr(modal.rfind('\t') + 1) : std::string();
}

// Answers the message box whose text starts with `text`, once it shows.
void Answer(ProgramUnderTest& w, const std::string& text, const std::string& button) {
    const auto showing = [&text](const std::string& modal) { return BoxText(modal).rfind(text, 0) == 0; };
    const std::string modal = w.WaitFor("modal", showing);
    ASSERT_TRUE(showing(modal)) << modal;
    w.Click("button:" + button);
    w.WaitFor("modal", [&showing](const std::string& a) { return !showing(a); });
}

// How long one probe request takes to be answered.
std::chrono::milliseconds AnswerTime(ProgramUnderTest& w, const std::string& request) {
    const auto start = std::chrono::steady_clock::now();
    w.Ask(request);
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

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
                // The read would replace the changed field: it offers to save it first.
                Answer(w, "Save changes to " + site + "?", "No");
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

// A refused file is no current file; a Read that cannot open its port
// leaves the fields; changes are marked and offered for saving.
TEST(WindowX11, TheUsersWorkIsKept) {
    Desk desk;
    const std::string fast = desk.dir.Write("fast.X7R", kFastModeFile);
    {
        SCOPED_TRACE("a file the basic model refuses");
        desk.StartProgram({fast}, "Cfg_QX5T");
        ProgramUnderTest& w = *desk.window;
        Answer(w, "Fast Controlled Mode operation has been detected.", "OK");
        EXPECT_EQ(w.WaitForAnswer("text TMainForm", "QX5T Configuration"), "QX5T Configuration");
        w.Session().Keys("ctrl+s");
        // Save asks for a name, as Save As does.
        EXPECT_EQ(w.WaitFor("modal", [](const std::string& a) { return a.rfind("SaveDialog1", 0) == 0; }).substr(0, 11),
                  "SaveDialog1");
        w.Click("button:Cancel");
        EXPECT_EQ(w.WaitForAnswer("modal", "none"), "none");
        EXPECT_EQ(test::ReadWholeFile(fast), kFastModeFile);
    }
    {
        SCOPED_TRACE("a read without a module; then Exit");
        desk.StartProgram({});
        ProgramUnderTest& w = *desk.window;
        w.TypeInto("ed_TM_SysAdd", "240");
        EXPECT_EQ(w.WaitFor("text TMainForm", [](const std::string& t) { return t.rfind('*', 0) == 0; }),
                  "*QX7T-R Configuration");
        w.Click("tb_UpLoad");
        Answer(w, "Save changes to this configuration?", "No");
        Answer(w, "COM1- This port may be already in use or not present.", "OK");
        EXPECT_EQ(w.Ask("text ed_TM_SysAdd"), "240");
        w.Choose("File_Menu>File_Exit");
        Answer(w, "Save changes to this configuration?", "Cancel");
        EXPECT_TRUE(w.Running());
        EXPECT_EQ(w.Ask("text TMainForm"), "*QX7T-R Configuration");
        w.Choose("tb_New");
        Answer(w, "Save changes to this configuration?", "No");
        Answer(w, "Open new configuration?", "OK");
        EXPECT_EQ(w.WaitForAnswer("text TMainForm", "QX7T-R Configuration"), "QX7T-R Configuration");
    }
}

// Exit, by the menu or by Alt+F4, stops the transmit test first.
TEST(WindowX11, ExitStopsTheTransmitTest) {
    Desk desk;
    for (const char* exit : {"File_Menu>File_Exit", "alt+F4"}) {
        SCOPED_TRACE(exit);
        desk.Start(desk.dir.Path("state"), {});
        ProgramUnderTest& w = *desk.window;
        w.Choose("Advanced_Menu>Adv_Diag>Diag_TxBer");
        Answer(w, "Transmit Bit Error Rate Test started.", "OK");
        w.Find("TMainForm");  // active again: the keys go to it
        if (std::string(exit).find('>') != std::string::npos)
            w.Choose(exit);
        else
            w.Session().Keys(exit);
        // Its OK ends the program.
        EXPECT_EQ(w.MessageBoxText(), "Transmit Bit Error Rate Test stopped.");
        w.Click("button:OK");
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (w.Running() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(50ms);
        EXPECT_FALSE(w.Running());
        const std::string log = desk.ModuleLog();
        const std::size_t test = log.find("AT&T0\\r");
        ASSERT_NE(test, std::string::npos) << log;
        EXPECT_NE(log.find("ATZ\\r", test), std::string::npos) << log;
    }
}

// A test's start against a module that never answers: the window keeps
// answering, and Cancel ends the start at once.
TEST(WindowX11, NothingBlocksTheWindowWhileATestStarts) {
    struct Row {
        const char* test;
        const char* open;   // the menu path
        const char* start;  // the button in the test window, if any
    };
    const Row rows[] = {
        {"transmit", "Advanced_Menu>Adv_Diag>Diag_TxBer", nullptr},
        {"RSSI", "Advanced_Menu>Adv_Diag>Diag_RSSI", "btn_StartStop"},
    };
    Desk desk;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.test);
        desk.Start(desk.dir.Path("state"), {}, {"--fault", "silent"});
        ProgramUnderTest& w = *desk.window;
        w.Choose(row.open);
        if (row.start) w.Click(row.start);
        w.WaitFor("modal", [](const std::string& a) { return a.rfind("TConfigProgressForm", 0) == 0; });
        for (int probe = 0; probe < 10; ++probe) {
            EXPECT_LT(AnswerTime(w, "text WhatsHappening").count(), 1000);
            std::this_thread::sleep_for(200ms);
        }
        const auto cancel = std::chrono::steady_clock::now();
        w.Click("CancelBitBtn");
        const std::string front = row.start ? "TBERTestForm" : "none";
        EXPECT_EQ(w.WaitFor("modal", [&front](const std::string& a) { return a.rfind(front, 0) == 0; }).substr(0, 4),
                  front.substr(0, 4));
        EXPECT_LT(std::chrono::steady_clock::now() - cancel, 3s);
        if (row.start) {
            EXPECT_EQ(w.Ask("text btn_StartStop"), "Start");
        } else {
            // The menu still offers Start.
            w.Choose("Advanced_Menu>Adv_Diag");
            EXPECT_EQ(w.WaitForAnswer("text Diag_TxBer", "Start Tx BER Test"), "Start Tx BER Test");
            w.Session().Keys("Escape");
            w.Session().Keys("Escape");
            EXPECT_EQ(w.WaitForAnswer("modal", "none"), "none");
        }
    }
}

// The focus goes back to the field the user was in after every command, and
// each dialog starts where its user will want it.
TEST(WindowX11, TheFocusStaysWhereTheUserWorks) {
    struct Row {
        const char* command;
        const char* dialogFocus;  // where the dialog's focus starts ("" : none is asked for)
        const char* closeKeys;    // the keys that end the command
    };
    const Row rows[] = {
        {"Comm_Menu>Comm_Compare", "CompareClose", "Return"},
        {"tb_Program", "", ""},
        {"Advanced_Menu>Adv_Diag>Diag_RxBer", "btn_StartStop", "Escape"},
        {"Comm_Menu>Comm_Find", "button:Yes", "Escape"},
        // Last: the module transmits from here on.
        {"Advanced_Menu>Adv_Diag>Diag_TxBer", "button:OK", "Return"},
    };
    Desk desk;
    desk.Start(desk.dir.Path("state"), {});
    ProgramUnderTest& w = *desk.window;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        w.TypeInto("Radio_TxHold", "12");
        w.Choose(row.command);
        if (*row.dialogFocus) {
            EXPECT_EQ(w.WaitForAnswer("focus", row.dialogFocus, 60s), row.dialogFocus) << w.Ask("modal");
        }
        if (*row.closeKeys) w.Session().Keys(row.closeKeys);
        EXPECT_EQ(w.WaitForAnswer("modal", "none", 60s), "none");
        EXPECT_EQ(w.WaitForAnswer("focus", "Radio_TxHold"), "Radio_TxHold");
    }
    // Compare's Close is one Tab away from its table.
    w.TypeInto("Radio_TxHold", "13");
    w.Choose("Comm_Menu>Comm_Compare");
    w.WaitForAnswer("focus", "CompareClose", 60s);
    w.Session().Keys("Tab");
    EXPECT_EQ(w.WaitForAnswer("focus", "CompareTable"), "CompareTable");
    w.Session().Keys("Tab");
    EXPECT_EQ(w.WaitForAnswer("focus", "CompareClose"), "CompareClose");
    w.Session().Keys("Escape");
    EXPECT_EQ(w.WaitForAnswer("modal", "none"), "none");
    // The port group of the serial dialog: no text cut, none overlapping.
    w.Click("tb_ComSettings");
    EXPECT_EQ(w.WaitFor("cut TSerialSettingsForm", [](const std::string& a) { return a.rfind("no window", 0) != 0; }),
              "none");
    w.Click("button:Cancel");
    EXPECT_EQ(w.WaitForAnswer("modal", "none"), "none");
}

}  // namespace
}  // namespace qx::x11test
