// qxcfg and the module history, as separate processes against qxsim, with
// the history in real SQLite files: what each command keeps, going back to
// a configuration kept before a write, the listing and history:ID, four
// processes at once, and a history that cannot be written.

#include <cstdlib>
#include <future>
#include <regex>

#include "e2e/sim_fixture.h"
#include "history/history_store.h"
#include "support/child_process.h"
#include "support/field_lines.h"
#include "support/run_process.h"
#include "support/scratch_folder.h"
#include "support/sqlite_file.h"

namespace qx::simtest {
namespace {

using test::ProcessResult;
using test::RunProgram;

class QxcfgHistoryTest : public SimTest {
protected:
    std::string History() const { return dir_.File("history.sqlite3"); }

    // qxcfg with the test's history; a command that writes the module is
    // given its port.
    ProcessResult Qxcfg(std::vector<std::string> args, const std::string& history = {}) {
        if (!args.empty() && args[0] == "write") args.insert(args.begin() + 1, {"--port", Link()});
        args.insert(args.begin(), {"--history", history.empty() ? History() : history});
        return RunProgram("qxcfg", args);
    }

    std::string MakeFile(const std::vector<std::string>& settings) {
        const std::string file = dir_.File("site.X7R");
        EXPECT_EQ(RunProgram("qxcfg", {"new", "-o", file, "--sysaddr", "77"}).exitCode, 0);
        std::vector<std::string> args{"set", file};
        args.insert(args.end(), settings.begin(), settings.end());
        EXPECT_EQ(RunProgram("qxcfg", args).exitCode, 0);
        return file;
    }

    // Oldest first, with their configurations.
    static std::vector<HistoryEntry> Entries(const std::string& path) {
        std::vector<HistoryEntry> all;
        if (!std::filesystem::exists(path)) return all;
        HistoryStore store(path);
        for (const auto& listed : store.List()) all.insert(all.begin(), *store.Get(listed.id));
        return all;
    }

    // What `read -o` saves of the module now.
    std::string ModuleFile(const std::string& name) {
        const auto r = RunProgram("qxcfg", {"--no-history", "read", "--port", Link(), "-o", dir_.File(name)});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return test::ReadWholeFile(dir_.File(name));
    }
};

std::string Kinds(const std::vector<HistoryEntry>& entries) {
    std::string kinds;
    for (const HistoryEntry& e : entries) kinds += (kinds.empty() ? "" : " ") + std::string(HistoryKindName(e.kind));
    return kinds;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST_F(QxcfgHistoryTest, EachCommandKeepsWhatItDidToTheModule) {
    Start({"--state", StateFile()});
    const std::string file = MakeFile({"s7=9"});
    const struct {
        std::vector<std::string> args;
        std::string kinds;  // oldest first
    } cases[] = {
        {{"read"}, "read"},
        {{"get", "s7"}, "read"},
        {{"diff", file, "port:" + Link()}, "read"},
        {{"set", "s7=4"}, "read written read"},  // its own read spares the backup
        {{"write", file, "--verify"}, "before-write written read"},
        {{"write", file, "--no-backup"}, "written"},
        {{"--yes", "restore"}, "before-write restored-defaults"},
        {{"--yes", "restore", "--no-backup"}, "restored-defaults"},
        {{"--no-history", "write", file}, ""},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const std::string history = dir_.File("h" + std::to_string(n++) + ".sqlite3");
        std::vector<std::string> args = c.args;
        // A global option before the command, the port after it.
        const bool global = args[0].rfind("--", 0) == 0;
        args.insert(args.begin() + (global ? 2 : 1), {"--port", Link()});
        args.insert(args.begin(), {"--history", history});
        const auto r = RunProgram("qxcfg", args);
        EXPECT_NE(r.exitCode, 2) << r.err;
        const auto entries = Entries(history);
        EXPECT_EQ(Kinds(entries), c.kinds);
        EXPECT_EQ(r.err.find("history not kept"), std::string::npos) << r.err;
        const std::string command = c.args[global ? 1 : 0];
        for (const HistoryEntry& e : entries) {
            EXPECT_EQ(e.program, "qxcfg");
            EXPECT_EQ(e.command, command);
            EXPECT_EQ(e.port, Link());
            EXPECT_EQ(e.outcome, "done");
            EXPECT_EQ(e.configuration.substr(0, 5), " ATB0");
        }
    }
    // QX_HISTORY names the file when --history does not.
    const std::string chosen = dir_.File("chosen.sqlite3");
    ::setenv("QX_HISTORY", chosen.c_str(), 1);
    EXPECT_EQ(RunProgram("qxcfg", {"read", "--port", Link()}).exitCode, 0);
    EXPECT_EQ(Kinds(Entries(chosen)), "read");
}

// qxcfg write, then qxcfg write history:ID of the configuration kept before
// it: the module stores what it stored before.
TEST_F(QxcfgHistoryTest, WritingBackTheBackupBringsTheModuleBack) {
    Start({"--state", StateFile()});
    const std::string before = ModuleFile("before.X7R");
    const auto w = Qxcfg({"write", MakeFile({"s7=9", "mode=single-connect", "dest1.address=12"})});
    ASSERT_EQ(w.exitCode, 0) << w.err;
    ASSERT_NE(ModuleFile("changed.X7R"), before);

    const auto listed = Qxcfg({"history", "--json"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    std::smatch backup;
    ASSERT_TRUE(std::regex_search(listed.out, backup, std::regex(R"(\{"id": (\d+), [^\n]*"what": "before-write")")))
        << listed.out;
    const std::string id = "history:" + backup[1].str();
    EXPECT_EQ(Qxcfg({"diff", id, "port:" + Link()}).exitCode, 1);

    const auto back = Qxcfg({"write", id});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(ModuleFile("after.X7R"), before);
    EXPECT_EQ(Qxcfg({"diff", id, "port:" + Link()}).exitCode, 0);
}

TEST_F(QxcfgHistoryTest, TheListingAndHistoryIdNameWhatWasKept) {
    Start({"--state", StateFile()});
    const std::string file = MakeFile({"s7=9"});
    ASSERT_EQ(Qxcfg({"write", file, "--verify"}).exitCode, 0);  // 1 before-write, 2 written, 3 read
    const std::string expected = RunProgram("qxcfg", {"show", file}).out;

    const auto table = Qxcfg({"history"});
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_EQ(table.out.rfind("ID  TIME", 0), 0u) << table.out;
    EXPECT_NE(table.out.find("\n3   "), std::string::npos) << table.out;  // newest first
    EXPECT_NE(table.out.find("  QX7T-R  77/1     written       done\n"), std::string::npos) << table.out;

    const struct {
        std::vector<std::string> args;
        std::string ids;  // "id": of each line
    } listings[] = {
        {{}, "3 2 1"},
        {{"--limit", "2"}, "3 2"},
        {{"--address", "77"}, "3 2"},
        {{"--address", "77/1"}, "3 2"},
        {{"--address", "77/2"}, ""},
        {{"--port", Link()}, "3 2 1"},
        {{"--port", "/dev/ttyUSB7"}, ""},
        {{"--since", "2000-01-01"}, "3 2 1"},
        {{"--since", "2999-12-31 23:59"}, ""},
    };
    for (const auto& l : listings) {
        std::vector<std::string> args{"history", "--json"};
        args.insert(args.end(), l.args.begin(), l.args.end());
        const auto r = Qxcfg(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::string ids;
        const std::regex id(R"(^\{"id": (\d+), "time": "[0-9-]+T[0-9:.]+Z", )");
        std::istringstream lines(r.out);
        for (std::string line; std::getline(lines, line);) {
            std::smatch m;
            EXPECT_TRUE(std::regex_search(line, m, id)) << line;
            ids += (ids.empty() ? "" : " ") + m[1].str();
        }
        EXPECT_EQ(ids, l.ids) << ::testing::PrintToString(l.args);
    }

    // history:ID wherever a configuration is taken, and history show.
    EXPECT_EQ(Qxcfg({"history", "show", "2"}).out, expected);
    EXPECT_EQ(Qxcfg({"show", "history:2"}).out, expected);
    EXPECT_EQ(Qxcfg({"commands", "history:2"}).out, RunProgram("qxcfg", {"commands", file}).out);
    EXPECT_EQ(Qxcfg({"diff", "history:2", file}).exitCode, 0);
    const auto differs = Qxcfg({"diff", "history:1", "history:2"});
    EXPECT_EQ(differs.exitCode, 1);
    EXPECT_NE(differs.out.find("S7 Connection Attempts (ATS7=): history:1 has 5, history:2 has 9"), std::string::npos)
        << differs.out;
    ASSERT_EQ(Qxcfg({"set", "history:2", "s7=3", "-o", dir_.File("new.X7R")}).exitCode, 0);
    EXPECT_EQ(test::ParseFieldLines(RunProgram("qxcfg", {"show", dir_.File("new.X7R")}).out)["sreg_7"], "3");

    const struct {
        std::vector<std::string> args;
        std::string error;
    } refused[] = {
        {{"show", "history:99"}, "ERROR: history entry 99 does not exist in " + History()},
        {{"show", "history:x"}, "ERROR: 'history:x' names no history entry"},
        {{"set", "history:2", "s7=3"}, "qxcfg: set: history:2 is no file to save over: give -o OUT"},
        {{"history", "show", "x"}, "qxcfg: history show: ID is an entry's number, not 'x'"},
        {{"history", "show", "2", "--limit", "1"}, "qxcfg: history show takes only ID and --json"},
        {{"history", "--address", "300"}, "qxcfg: --address takes S or S/U"},
        {{"history", "--since", "2024-02-30"}, "qxcfg: --since takes YYYY-MM-DD [HH:MM[:SS]], not '2024-02-30'"},
    };
    for (const auto& c : refused) {
        const auto r = Qxcfg(c.args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(r.err.rfind(c.error, 0), 0u) << r.err;
    }
    // Nothing kept yet: nothing listed, and no file made by looking.
    const auto none = Qxcfg({"history"}, dir_.File("none.sqlite3"));
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "qxcfg: no module history is kept yet (" + dir_.File("none.sqlite3") + ")\n");
    EXPECT_FALSE(std::filesystem::exists(dir_.File("none.sqlite3")));
}

TEST_F(QxcfgHistoryTest, FourProcessesOnFourPortsGiveFourEntries) {
    std::vector<std::unique_ptr<SimProcess>> sims;
    for (int i = 0; i < 4; ++i)
        sims.push_back(std::make_unique<SimProcess>(dir_.File("m" + std::to_string(i)), std::vector<std::string>{},
                                                    dir_.File("m" + std::to_string(i) + ".err")));
    std::vector<std::future<ProcessResult>> runs;
    for (int i = 0; i < 4; ++i)
        runs.push_back(std::async(std::launch::async, [&, i] {
            return RunProgram("qxcfg", {"--history", History(), "read", "--port", dir_.File("m" + std::to_string(i))});
        }));
    for (auto& run : runs) EXPECT_EQ(run.get().exitCode, 0);
    HistoryStore store(History());
    EXPECT_EQ(store.List().size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(store.List({.port = dir_.File("m" + std::to_string(i))}).size(), 1u);
}

// Whatever is wrong with the history, the command runs, its exit code is
// its own, and one note says why nothing was kept.
TEST_F(QxcfgHistoryTest, AHistoryThatCannotBeWrittenStopsNothing) {
    Start({"--state", StateFile()});
    const std::string file = MakeFile({"s7=9"});
    const std::string corrupt = dir_.File("corrupt.sqlite3");
    std::ofstream(corrupt) << std::string(8192, 'x');
    const std::string locked = dir_.File("locked.sqlite3");
    { HistoryStore(locked).List(); }
    test::SqliteFile holder(locked);
    holder.Execute("BEGIN EXCLUSIVE");
    std::ofstream(dir_.File("a-file")) << "not a folder\n";
    const struct {
        std::string path;
        std::string note;
    } cases[] = {
        {corrupt, "qxcfg: history not kept: " + corrupt + " is damaged or is no history database"},
        {locked, "qxcfg: history not kept: " + locked + " is locked by another program"},
        {dir_.File("a-file/h.sqlite3"), "qxcfg: history not kept: cannot make the folder " + dir_.File("a-file")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto r = Qxcfg({"write", file, "--verify"}, c.path);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.out.find("verified"), std::string::npos);
        EXPECT_EQ(Count(r.err, c.note), 1u) << r.err;
        EXPECT_EQ(Count(r.err, "history not kept"), 1u) << r.err;
    }
    EXPECT_EQ(test::ReadWholeFile(corrupt), std::string(8192, 'x')) << "the damaged file was changed";
    holder.Execute("COMMIT");
    EXPECT_TRUE(Entries(locked).empty());

    // A history on a read-only file system (root writes past permission bits).
    std::filesystem::create_directory(dir_.File("ro"));
    const std::string readOnly = dir_.File("ro/h.sqlite3");
    { HistoryStore(readOnly).List(); }
    const int code = test::ExitCodeOfChild([&] {
        if (!test::MountPrivateReadOnly(dir_.File("ro"))) return 100;
        const auto r = Qxcfg({"write", file}, readOnly);
        const int failed = r.exitCode != 0 ? 1 : Count(r.err, "qxcfg: history not kept: " + readOnly) != 1 ? 2 : 0;
        if (failed) std::fprintf(stderr, "%s", r.err.c_str());
        return failed;
    });
    if (code == 100) GTEST_SKIP() << "no private mounts here";
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(Entries(readOnly).empty());
}

}  // namespace
}  // namespace qx::simtest
