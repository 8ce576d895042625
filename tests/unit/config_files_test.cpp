// Configuration files on disk: the line format, round trips, files that are
// not configuration files, saves that fail, and the file commands.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>

#include "config/command_builder.h"
#include "files/config_file_commands.h"
#include "operations/workspace.h"
#include "files/config_file_format.h"
#include "files/file_read_write.h"
#include "support/scratch_folder.h"
#include "support/scripted_prompter.h"

namespace qx {
namespace {

using F = FieldId;
using test::ReadWholeFile;
using test::ScratchFolder;

const std::string kDefaultLine =
    " ATB0 ATC4 ATE1 ATQ0 ATV1 ATX0 AT&B2 AT&C1 AT&D0 AT&E0 AT&G1 AT&K4 AT&L1 AT&N1 AT&M0 AT&S17 AT&U1 AT\\T0"
    " ATS0:1 ATS1:50 ATS2:43 ATS3:13 ATS4:10 ATS5:8 ATS6:0 ATS7:5 ATS8:0 ATS10:1 ATS11:0 ATS14:255 ATS16:0"
    " ATS17:0 ATS18:120 ATS19:5 ATS20:100 ATS21:1 AT&Z1= AT&Z2= AT&Z3= AT&Z0= ";

// The main window's state after start-up.
struct Window {
    explicit Window(ModelFamily family = ModelFamily::Main, int systemAddress = 17)
        : ws(family == ModelFamily::Main ? ModelVariant::Main() : ModelVariant::Basic(), prompter,
             FixedSystemAddress(systemAddress)) {
        ws.StartUp();
        prompter.Clear();
    }
    void Type(F id, const std::string& text) {
        ws.config.TypeText(id, text);
        ws.config.Leave(id);
    }
    std::vector<long> Values() const {
        std::vector<long> v;
        for (const FieldSpec& s : AllFields()) v.push_back(ws.config.Value(s.id));
        return v;
    }
    bool ShowsOnlyTheLoadMessage() const {
        return prompter.Texts() == std::vector<std::string>{std::string(kLoadErrorText)} &&
               prompter.shown[0].kind == MessageKind::Error;
    }

    test::ScriptedPrompter prompter;
    Workspace ws;
};

class ScriptedDialogs : public FileDialogs {
public:
    std::optional<std::string> AskOpenPath() override {
        ++asked;
        return answer;
    }
    std::optional<std::string> AskSavePath() override {
        ++asked;
        return answer;
    }
    std::optional<std::string> answer;
    int asked = 0;
};

TEST(ConfigFileFormat, DefaultConfigurationWritesTheKnownLine) {
    ScratchFolder folder;
    Window w;
    ScriptedDialogs dialogs;
    dialogs.answer = folder.Path("default.X7R");
    ASSERT_TRUE(Save(w.ws, dialogs));
    EXPECT_EQ(ReadWholeFile(folder.Path("default.X7R")), kDefaultLine + "\r\n");
    EXPECT_EQ(w.ws.currentFileName, folder.Path("default.X7R"));
    EXPECT_EQ(w.ws.Caption(), "QX7T-R Configuration: " + folder.Path("default.X7R"));
}

TEST(ConfigFileFormat, RearrangesTheJoinedCommands) {
    Window w;
    EXPECT_EQ(ConfigFileLine(JoinConfigCommands(BuildConfigCommandList(w.ws.config))), kDefaultLine);
    // The stored-destination tokens keep their "=".
    w.ws.config.Click(F::rb_ContMode);
    const std::string line = ConfigFileLine(JoinConfigCommands(BuildConfigCommandList(w.ws.config)));
    EXPECT_NE(line.find(" ATS21:1 AT&Z1= AT&Z2= AT&Z3= AT&Z0=2 "), std::string::npos) << line;
    EXPECT_NE(line.find(" AT&K4 AT&L2 AT&N1 AT&M2 AT&S17 "), std::string::npos) << line;
}

TEST(ConfigFileFormat, OddCommandTextsDoNotBreakTheRearrangement) {
    for (const char* text : {"", " ", "AT&K", "AT&L1 AT&K4", "ATS21=", "ATS0= ATS21=", "AT&S AT&L AT&K"})
        EXPECT_NO_THROW(ConfigFileLine(text)) << text;
    EXPECT_EQ(ConfigFileLine("ATS0=1 ATS21="), "ATS0:1 ATS21: ");  // no AT&K: whole text, then a space
}

// ---- Round trips ------------------------------------------------------------

struct RoundTrip {
    const char* what;
    std::vector<std::pair<F, const char*>> typed;
    OperatingMode mode;
    std::vector<F> ticked;
};

class ConfigFileRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ConfigFileRoundTrip, LoadsBackTheSameCommands) {
    const RoundTrip& c = GetParam();
    ScratchFolder folder;
    Window original;
    if (auto button = ModeRadioButton(c.mode)) original.ws.config.Click(*button);
    for (F id : c.ticked) original.ws.config.Click(id);
    for (const auto& [id, text] : c.typed) original.Type(id, text);
    ScriptedDialogs dialogs;
    dialogs.answer = folder.Path("trip.X7R");
    ASSERT_TRUE(SaveAs(original.ws, dialogs, true));

    Window loaded(ModelFamily::Main, 200);
    ASSERT_TRUE(LoadFromFile(loaded.ws, folder.Path("trip.X7R"))) << c.what;
    EXPECT_EQ(BuildConfigCommandList(loaded.ws.config), BuildConfigCommandList(original.ws.config)) << c.what;
    EXPECT_EQ(loaded.ws.config.Mode(), c.mode);
    EXPECT_EQ(loaded.ws.currentFileName, folder.Path("trip.X7R"));

    // Saving the loaded configuration writes the same bytes again.
    ScriptedDialogs again;
    again.answer = folder.Path("again.X7R");
    ASSERT_TRUE(SaveAs(loaded.ws, again, true));
    EXPECT_EQ(ReadWholeFile(folder.Path("again.X7R")), ReadWholeFile(folder.Path("trip.X7R")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConfigFileRoundTrip,
    ::testing::Values(
        RoundTrip{"defaults", {}, OperatingMode::Transparent, {}},
        RoundTrip{"transparent, settings changed",
                  {{F::ed_TM_SysAdd, "250"}, {F::ed_TM_GrpAdd1, "9"}, {F::sreg_1, "2000"}, {F::sreg_10, "370"},
                   {F::Radio_PackSize, "301"}, {F::sreg_20, "0"}, {F::sreg_21, "3"}, {F::Adv_LinkRst, "17"}},
                  OperatingMode::Transparent, {F::Adv_Echo, F::Adv_Resp, F::Adv_Numeric, F::Adv_Abort, F::TM_Auto_OnLine}},
        RoundTrip{"transparent repeater", {{F::ed_TM_GrpAdd2, "44"}}, OperatingMode::TransparentRepeater, {}},
        RoundTrip{"master", {{F::ed_CM_UnitAdd, "99"}}, OperatingMode::AutoConnectMaster, {}},
        RoundTrip{"slave", {{F::ed_CM_LinkChk, "7"}}, OperatingMode::AutoConnectSlave, {}},
        RoundTrip{"single, fast, low power", {{F::ed_CM_UnitAdd, "12"}}, OperatingMode::SingleConnect,
                  {F::chk_CM_Fast, F::chk_CM_LowPow}},
        RoundTrip{"stored destinations with and without repeaters",
                  {{F::Z0_Rpt1, "5"}, {F::Z0_Rpt2, "7"}, {F::Z0_Dest, "12"}, {F::Z1_Dest, "200"},
                   {F::Z2_Rpt1, "1"}, {F::Z2_Rpt2, "2"}, {F::Z2_Rpt3, "3"}, {F::Z2_Rpt4, "4"}, {F::Z2_Rpt5, "5"},
                   {F::Z2_Dest, "6"}, {F::Z3_Rpt1, "3"}, {F::Z3_Dest, "0"}},
                  OperatingMode::SingleConnect, {}}));

TEST(ConfigFileRoundTrip, DefaultsLoadBackFieldForField) {
    ScratchFolder folder;
    Window original;
    ScriptedDialogs dialogs;
    dialogs.answer = folder.Path("d.X7R");
    SaveAs(original.ws, dialogs, true);
    Window loaded(ModelFamily::Main, 200);
    ASSERT_TRUE(LoadFromFile(loaded.ws, folder.Path("d.X7R")));
    for (const FieldSpec& s : AllFields()) {
        // Transparent modes write the stored destinations empty, and an
        // empty list reads as destination 0: the first destination's
        // default 2 does not survive a transparent file.
        const long expected = s.id == F::Z0_Dest ? 0 : original.ws.config.Value(s.id);
        EXPECT_EQ(loaded.ws.config.Value(s.id), expected) << s.name;
    }
    EXPECT_EQ(loaded.ws.config.PlcModeActive(), original.ws.config.PlcModeActive());
}

TEST(ConfigFileRoundTrip, FiveRepeatersAndDestinationZero) {
    // Saved as the five repeaters and a 0; read back, the fifth repeater is
    // the destination and the fifth repeater field stays 0.
    ScratchFolder folder;
    Window w;
    w.ws.config.Click(F::rb_CM_Single);
    for (F id : {F::Z0_Rpt1, F::Z0_Rpt2, F::Z0_Rpt3, F::Z0_Rpt4, F::Z0_Rpt5}) w.Type(id, "9");
    w.Type(F::Z0_Dest, "0");
    ScriptedDialogs dialogs;
    dialogs.answer = folder.Path("five.X7R");
    SaveAs(w.ws, dialogs, true);
    EXPECT_NE(ReadWholeFile(folder.Path("five.X7R")).find(" AT&Z0=9,9,9,9,9,0 "), std::string::npos);
    Window loaded;
    ASSERT_TRUE(LoadFromFile(loaded.ws, folder.Path("five.X7R")));
    EXPECT_EQ(loaded.ws.config.Value(F::Z0_Dest), 9);
    EXPECT_EQ(loaded.ws.config.Value(F::Z0_Rpt4), 9);
    EXPECT_EQ(loaded.ws.config.Value(F::Z0_Rpt5), 0);
}

TEST(ConfigFileLoad, HostSerialSettingsFollowTheLoadedModuleSettings) {
    ScratchFolder folder;
    Window w;
    w.ws.config.PickItem(F::Serial_Baud, 0);  // the top "115200"
    w.ws.config.PickItem(F::Serial_Parity, 3);
    w.ws.config.PickItem(F::Serial_Data, 0);
    ScriptedDialogs dialogs;
    dialogs.answer = folder.Path("s.X7R");
    SaveAs(w.ws, dialogs, true);
    Window loaded;
    ASSERT_TRUE(LoadFromFile(loaded.ws, folder.Path("s.X7R")));
    EXPECT_EQ(loaded.ws.host.BaudIndex, 11);
    EXPECT_EQ(loaded.ws.host.Parity, 2);
    EXPECT_EQ(loaded.ws.host.DataBits, 0);
}

TEST(ConfigFileLoad, TolerantLinesFromOlderFiles) {
    ScratchFolder folder;
    struct Case {
        const char* what;
        std::string line;
        F field;
        long value;
    };
    auto replace = [](std::string s, const std::string& from, const std::string& to) {
        return s.replace(s.find(from), from.size(), to);
    };
    for (const Case& c : {Case{"S21 with =", replace(kDefaultLine, "ATS21:1", "ATS21=2"), F::sreg_21, 2},
                          Case{"no S20", replace(kDefaultLine, "ATS20:100 ", ""), F::sreg_20, 100},
                          Case{"no S18/S19", replace(kDefaultLine, "ATS18:120 ATS19:5 ", ""), F::Modbus_CheckBox, 0},
                          Case{"LF only", kDefaultLine + "\n", F::sreg_18, 120},
                          Case{"second line ignored", kDefaultLine + "\r\ngarbage", F::sreg_18, 120},
                          Case{"module registers ignored", replace(kDefaultLine, "ATS8:0", "ATS8:0 ATS9:5 ATS12:5"),
                               F::sreg_9, 0}}) {
        Window w;
        const std::string path = folder.Write("t.X7R", c.line);
        ASSERT_TRUE(LoadFromFile(w.ws, path)) << c.what;
        EXPECT_EQ(w.ws.config.Value(c.field), c.value) << c.what;
    }
}

// ---- Files that are not configuration files ------------------------------

TEST(ConfigFileLoad, FailuresShowOneMessageAndLeaveDefaultsAndNoFile) {
    ScratchFolder folder;
    const std::string good = folder.Write("good.X7R", kDefaultLine + "\r\n");
    std::string huge = kDefaultLine + "\r\n" + std::string(kMaxConfigFileSize, 'x');
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    std::filesystem::create_directory(folder.Path("dir.X7R"));
    ASSERT_EQ(::mkfifo(folder.Path("fifo.X7R").c_str(), 0600), 0);
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", folder.Write("empty.X7R", "")},
        {"text", folder.Write("text.X7R", "hello world\r\n")},
        {"binary", folder.Write("binary.X7R", binary)},
        {"bigger than 64 KiB", folder.Write("huge.X7R", huge)},
        {"cut short", folder.Write("short.X7R", kDefaultLine.substr(0, 150))},
        {"value not a number", folder.Write("nan.X7R", std::string(kDefaultLine).replace(kDefaultLine.find("ATS3:13"), 7, "ATS3:1x"))},
        {"missing", folder.Path("missing.X7R")},
        {"directory", folder.Path("dir.X7R")},
        {"fifo without a writer", folder.Path("fifo.X7R")},
        {"empty path", ""},
    };
    for (const auto& [what, path] : cases) {
        Window w(ModelFamily::Main, 33);
        ASSERT_TRUE(LoadFromFile(w.ws, good));
        w.Type(F::sreg_0, "77");
        w.prompter.Clear();
        EXPECT_FALSE(LoadFromFile(w.ws, path)) << what;
        EXPECT_TRUE(w.ShowsOnlyTheLoadMessage()) << what;
        EXPECT_EQ(w.ws.currentFileName, "") << what;
        EXPECT_EQ(w.ws.Caption(), "QX7T-R Configuration") << what;
        EXPECT_EQ(w.Values(), Window(ModelFamily::Main, 33).Values()) << what;
    }
}

// The refusal leaves the defaults; the file does not become the current
// one, so a Save cannot write those defaults over it.
TEST(ConfigFileLoad, FastModeOnTheBasicModelIsNotRecordedAsTheFile) {
    ScratchFolder folder;
    std::string line = kDefaultLine;
    line.replace(line.find("AT&L1"), 5, "AT&L2").replace(line.find("AT&M0"), 5, "AT&M3");
    const std::string path = folder.Write("fast.X7R", line);
    Window w(ModelFamily::Basic);
    EXPECT_TRUE(LoadFromFile(w.ws, path));
    EXPECT_EQ(w.prompter.Texts().back().substr(0, 40), "Fast Controlled Mode operation has been ");
    EXPECT_EQ(w.ws.config.Mode(), OperatingMode::Transparent);
    EXPECT_EQ(w.ws.currentFileName, "");
    EXPECT_EQ(w.ws.Caption(), "QX5T Configuration");
}

TEST(FileReadWrite, ReadLineTakesTheFirstLineWithEveryByte) {
    ScratchFolder folder;
    const std::string bytes("a\0b\xff c\rsecond", 13);
    EXPECT_EQ(TFileReadWrite().ReadLine(folder.Write("b", bytes)), std::string("a\0b\xff c", 6));
    EXPECT_THROW(TFileReadWrite().ReadLine(folder.Path("nothing")), EFileReadError);
}

// ---- Saving -------------------------------------------------------------

TEST(ConfigFileSave, ReplacesTheFileAndKeepsItsPermissions) {
    ScratchFolder folder;
    const std::string path = folder.Write("p.X7R", "old content that is longer than the new one will be" +
                                                      std::string(1000, '-'));
    ::chmod(path.c_str(), 0640);
    Window w;
    WriteConfigFile(w.ws, path);
    EXPECT_EQ(ReadWholeFile(path), kDefaultLine + "\r\n");
    EXPECT_EQ(w.ws.currentFileName, path);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 1);  // no leftovers
}

TEST(ConfigFileSave, ThroughASymbolicLinkReplacesTheTarget) {
    ScratchFolder folder;
    const std::string target = folder.Write("target.X7R", "old");
    std::filesystem::create_symlink(target, folder.Path("link.X7R"));
    Window w;
    WriteConfigFile(w.ws, folder.Path("link.X7R"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.X7R")));
    EXPECT_EQ(ReadWholeFile(target), kDefaultLine + "\r\n");
}

// Limits the size of files this process may write, as a full disk would;
// works for root too. Restored at the end of the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int);
};

TEST(ConfigFileSave, FailedSaveKeepsTheOldFileAndSaysWhy) {
    ScratchFolder folder;
    Window w;
    ScriptedDialogs dialogs;
    dialogs.answer = folder.Path("keep.X7R");
    ASSERT_TRUE(SaveAs(w.ws, dialogs, true));
    const std::string before = ReadWholeFile(folder.Path("keep.X7R"));

    w.Type(F::sreg_0, "99");
    try {
        FileSizeLimit full(16);  // the new line does not fit
        Save(w.ws, dialogs);
        FAIL() << "the save did not fail";
    } catch (const EFileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find(std::strerror(EFBIG)), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(folder.Path("keep.X7R")), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadWholeFile(folder.Path("keep.X7R")), before);
    EXPECT_EQ(w.ws.currentFileName, folder.Path("keep.X7R"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 1);  // no leftovers
}

TEST(ConfigFileSave, UnwritablePlacesReportTheSystemsReason) {
    ScratchFolder folder;
    const std::string file = folder.Write("plain", "x");
    struct Case {
        std::string path;
        int error;
    };
    for (const Case& c : {Case{file + "/inside.X7R", ENOTDIR}, Case{folder.Path("no/such/folder.X7R"), ENOENT},
                          Case{folder.Path(std::string(300, 'n') + ".X7R"), ENAMETOOLONG},
                          Case{"/proc/qx-test.X7R", 0}}) {
        Window w;
        ScriptedDialogs dialogs;
        dialogs.answer = c.path;
        try {
            SaveAs(w.ws, dialogs, true);
            FAIL() << c.path;
        } catch (const EFileWriteError& e) {
            if (c.error) {
                EXPECT_NE(std::string(e.what()).find(std::strerror(c.error)), std::string::npos) << e.what();
            }
        }
        EXPECT_EQ(w.ws.currentFileName, "") << c.path;
    }
    EXPECT_EQ(ReadWholeFile(file), "x");
}

// ---- The file commands ----------------------------------------------------

TEST(ConfigFileCommands, SaveAsksForANameOnlyWithoutACurrentFile) {
    ScratchFolder folder;
    Window w;
    ScriptedDialogs dialogs;
    dialogs.answer = std::nullopt;  // cancelled
    EXPECT_FALSE(Save(w.ws, dialogs));
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_EQ(w.ws.currentFileName, "");
    EXPECT_TRUE(std::filesystem::is_empty(folder.Root()));

    dialogs.answer = folder.Path("a.X7R");
    w.ws.AppendLog("reply");
    EXPECT_TRUE(Save(w.ws, dialogs));
    EXPECT_EQ(w.ws.Log(), "");  // the reply memo is cleared
    EXPECT_EQ(dialogs.asked, 2);
    w.Type(F::sreg_0, "5");
    EXPECT_TRUE(Save(w.ws, dialogs));  // over the current file, no dialog
    EXPECT_EQ(dialogs.asked, 2);
    EXPECT_NE(ReadWholeFile(folder.Path("a.X7R")).find(" ATS0:5 "), std::string::npos);
}

TEST(ConfigFileCommands, OpenLoadsTheChosenFile) {
    ScratchFolder folder;
    const std::string path = folder.Write("o.X7R", kDefaultLine);
    Window w(ModelFamily::Main, 90);
    ScriptedDialogs dialogs;
    EXPECT_FALSE(Open(w.ws, dialogs));  // cancelled
    dialogs.answer = path;
    EXPECT_TRUE(Open(w.ws, dialogs));
    EXPECT_EQ(w.ws.config.Value(F::ed_TM_SysAdd), 17);
    EXPECT_EQ(w.ws.Caption(), "QX7T-R Configuration: " + path);
}

TEST(ConfigFileCommands, NewAsksAndResets) {
    Window w;
    w.ws.currentFileName = "/somewhere/x.X7R";
    w.Type(F::sreg_0, "5");
    w.prompter.Script({Answer::Cancel});
    EXPECT_FALSE(New(w.ws));
    EXPECT_EQ(w.ws.config.Value(F::sreg_0), 5);
    EXPECT_EQ(w.ws.currentFileName, "/somewhere/x.X7R");
    w.prompter.Script({Answer::Ok});
    EXPECT_TRUE(New(w.ws));
    EXPECT_EQ(w.ws.config.Value(F::sreg_0), 1);
    EXPECT_EQ(w.ws.Caption(), "QX7T-R Configuration");
    EXPECT_EQ(w.prompter.shown[0].text, kNewConfigurationQuestion);
    EXPECT_EQ(w.prompter.shown[0].buttons, MessageButtons::OkCancel);
}

TEST(ConfigFileCommands, CommandLineFile) {
    ScratchFolder folder;
    const std::string valid = folder.Write("ok.X7R", kDefaultLine);
    const std::string lower = folder.Write("lower.x7r", kDefaultLine);
    const std::string noExtension = folder.Write("plain", kDefaultLine);
    std::filesystem::create_directory(folder.Path("dir.X7R"));
    struct Case {
        std::vector<std::string> args;
        std::string currentFile;
        std::vector<std::string> messages;
    };
    for (const Case& c : {
             Case{{}, "", {}},
             Case{{""}, "", {}},
             Case{{folder.Path("missing.X7R")}, "", {}},
             Case{{folder.Path("dir.X7R")}, "", {}},
             Case{{valid, lower}, valid, {}},
             Case{{lower}, "", {lower + " is not a valid configuration file."}},
             Case{{noExtension}, "", {noExtension + " is not a valid configuration file."}},
         }) {
        Window w;
        OpenCommandLineFile(w.ws, c.args);
        EXPECT_EQ(w.ws.currentFileName, c.currentFile);
        EXPECT_EQ(w.prompter.Texts(), c.messages);
    }
}

TEST(ConfigFileCommands, ExtensionsAndDefaultExtension) {
    EXPECT_EQ(FileExtension("a/b.c/name"), "");
    EXPECT_EQ(FileExtension("name.tar.X7R"), ".X7R");
    EXPECT_EQ(FileExtension("name."), ".");
    EXPECT_EQ(WithDefaultExtension("/x/name"), "/x/name.X7R");
    EXPECT_EQ(WithDefaultExtension("/x.d/name.txt"), "/x.d/name.txt");
    EXPECT_EQ(WithDefaultExtension("/x/"), "/x/");
}

}  // namespace
}  // namespace qx
