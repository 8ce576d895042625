// The module history's SQLite store on real files: what an entry keeps,
// the listing's filters, files it must refuse and leave alone, a lock held
// by another program, a disk without room, a process killed while
// recording, and several processes recording at once.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "history/history_errors.h"
#include "history/history_store.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"
#include "support/sqlite_file.h"

namespace qx {
namespace {

using namespace std::chrono_literals;
using test::ScratchFolder;
using test::SqliteFile;

HistoryEntry Entry(std::int64_t timeMs, std::string port, int systemAddress, HistoryKind kind = HistoryKind::Read) {
    HistoryEntry e;
    e.timeMs = timeMs;
    e.port = port;
    e.device = "/dev/" + port;
    e.byIdPath = "/dev/serial/by-id/usb-" + port;
    e.model = "QX7T-R";
    e.firmware = "V1.95 SIM";
    e.systemAddress = systemAddress;
    e.unitAddress = 1;
    e.kind = kind;
    e.program = "qxcfg";
    e.command = "read";
    e.outcome = "done";
    e.configuration = " ATB0 ATC4 AT&S" + std::to_string(systemAddress) + " \r\n\xe9";
    return e;
}

std::vector<std::int64_t> Ids(const std::vector<HistoryEntry>& entries) {
    std::vector<std::int64_t> ids;
    for (const auto& e : entries) ids.push_back(e.id);
    return ids;
}

std::string IntegrityOf(const std::string& path) { return SqliteFile(path).Query("PRAGMA integrity_check"); }

TEST(HistoryStore, KeepsEveryPartOfAnEntryAndItsLayout) {
    ScratchFolder folder;
    const std::string path = folder.Path("data/qxconfig/history.sqlite3");  // the folders are made
    HistoryStore store(path);
    HistoryEntry restored = Entry(1000, "ttyUSB0", 17, HistoryKind::RestoredDefaults);
    restored.systemAddress = restored.unitAddress = std::nullopt;
    restored.configuration.clear();
    // Byte for byte, 8-bit text and CR LF included.
    for (HistoryEntry e : {Entry(1000, "ttyUSB0", 17, HistoryKind::BeforeWrite), restored}) {
        e.id = store.Record(e);
        EXPECT_EQ(store.Get(e.id), e);
    }
    EXPECT_FALSE(store.Get(99).has_value());
    SqliteFile file(path);
    EXPECT_EQ(file.Query("PRAGMA user_version") + " " + file.Query("PRAGMA journal_mode") + " " +
                  file.Query("PRAGMA application_id"),
              "1 wal " + std::to_string(0x51584849));
}

TEST(HistoryStore, ListsNewestFirstThroughItsFilters) {
    ScratchFolder folder;
    HistoryStore store(folder.Path("h.sqlite3"));
    store.Record(Entry(1000, "ttyUSB0", 17));  // 1
    store.Record(Entry(2000, "ttyUSB1", 17));  // 2
    store.Record(Entry(3000, "ttyUSB0", 20));  // 3
    HistoryEntry unit5 = Entry(4000, "ttyUSB1", 20);
    unit5.unitAddress = 5;
    store.Record(unit5);  // 4

    const struct {
        const char* what;
        HistoryFilter filter;
        std::vector<std::int64_t> ids;
    } cases[] = {
        {"everything", {}, {4, 3, 2, 1}},
        {"port as given", {.port = "ttyUSB0"}, {3, 1}},
        {"device", {.port = "/dev/ttyUSB1"}, {4, 2}},
        {"by-id name", {.port = "/dev/serial/by-id/usb-ttyUSB1"}, {4, 2}},
        {"system address", {.systemAddress = 17}, {2, 1}},
        {"unit address", {.unitAddress = 5}, {4}},
        {"since", {.sinceMs = 2000}, {4, 3, 2}},
        {"limit", {.limit = 2}, {4, 3}},
        {"all at once", {.port = "ttyUSB0", .systemAddress = 20, .sinceMs = 500, .limit = 5}, {3}},
    };
    for (const auto& c : cases) EXPECT_EQ(Ids(store.List(c.filter)), c.ids) << c.what;
    EXPECT_TRUE(store.List().front().configuration.empty()) << "a listing carries no configurations";
}

// Files that are not this program's history, or not one it understands,
// are refused and left byte for byte as they were.
TEST(HistoryStore, RefusesAndLeavesAloneWhatIsNoHistoryOfItsOwn) {
    const struct {
        const char* what;
        std::function<void(const std::string& path)> make;
    } cases[] = {
        {"garbage", [](const std::string& p) { std::ofstream(p) << std::string(5000, 'x'); }},
        {"a configuration file",
         [](const std::string& p) { std::ofstream(p) << " ATB0 ATC4 ATE1 ATQ0 ATV1 ATX0 AT&B2 \r\n"; }},
        {"another program's database",
         [](const std::string& p) { SqliteFile(p).Execute("CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('mine')"); }},
        {"a newer layout",
         [](const std::string& p) {
             { HistoryStore created(p); }
             SqliteFile(p).Execute("PRAGMA user_version=7");
         }},
        {"a damaged history",
         [](const std::string& p) {
             {
                 HistoryStore created(p);
                 for (int i = 0; i < 50; ++i) created.Record(Entry(i, "ttyUSB0", i));
             }
             SqliteFile(p).Execute("PRAGMA wal_checkpoint(TRUNCATE)");
             std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
             f.seekp(4096 + 8);  // into the second page, the table's
             f << std::string(2000, '\x5a');
         }},
    };
    for (const auto& c : cases) {
        ScratchFolder folder;
        const std::string path = folder.Path("history.sqlite3");
        c.make(path);
        const std::string before = test::ReadWholeFile(path);
        try {
            HistoryStore store(path);
            store.Record(Entry(1, "ttyUSB0", 1));
            store.List();
            ADD_FAILURE() << c.what << " was taken";
        } catch (const EHistoryCorrupt& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << c.what << ": " << e.what();
        }
        EXPECT_TRUE(test::ReadWholeFile(path) == before) << c.what << " was changed";
    }
}

TEST(HistoryStore, ALockHeldPastTheBusyTimeoutIsSaidAsSuch) {
    ScratchFolder folder;
    const std::string path = folder.Path("h.sqlite3");
    HistoryStore store(path, {.busyTimeout = 200ms});
    store.Record(Entry(1, "ttyUSB0", 1));
    SqliteFile other(path);
    other.Execute("BEGIN EXCLUSIVE");
    EXPECT_THROW(store.Record(Entry(2, "ttyUSB0", 2)), EHistoryBusy);
    EXPECT_EQ(store.List().size(), 1u) << "readers do not wait for a writer";
    other.Execute("COMMIT");
    EXPECT_NO_THROW(store.Record(Entry(3, "ttyUSB0", 3)));
}

TEST(HistoryStore, AFileThatMayNotBeWrittenIsSaidAsSuch) {
    ScratchFolder folder;
    const std::string path = folder.Path("h.sqlite3");
    { HistoryStore(path).Record(Entry(1, "ttyUSB0", 1)); }
    ASSERT_EQ(::chmod(folder.Root().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    // Permission bits do not stop root: the case runs as an ordinary user.
    const int code = test::ExitCodeOfChild([&] {
        if (!test::GiveUpRoot()) return 100;
        try {
            HistoryStore store(path);
            store.Record(Entry(2, "ttyUSB0", 2));
        } catch (const EHistoryReadOnly& e) {
            return std::string(e.what()).find(path + " may not be written") == 0 ? 0 : 1;
        } catch (const EHistoryError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 2;
        }
        return 3;
    });
    EXPECT_EQ(code, 0);
}

TEST(HistoryStore, AFullDiskIsSaidAsSuchAndLeavesTheFileWhole) {
    ScratchFolder folder;
    const std::string root = folder.Root().string();
    const int code = test::ExitCodeOfChild([&] {
        if (!test::MountPrivateTmpfs(root, "256k")) return 100;
        const std::string path = root + "/h.sqlite3";
        try {
            HistoryStore store(path);
            HistoryEntry big = Entry(1, "ttyUSB0", 1);
            big.configuration = std::string(16 * 1024, 'c');
            for (int i = 0; i < 100; ++i) store.Record(big);
            return 1;
        } catch (const EHistoryFull&) {
        }
        return IntegrityOf(path) == "ok" ? 0 : 2;
    });
    if (code == 100) GTEST_SKIP() << "no private tmpfs on this system";
    EXPECT_EQ(code, 0);
}

// A process killed (SIGKILL) while it records leaves the file consistent,
// with every entry it had committed, and the next program carries on.
TEST(HistoryStore, AProcessKilledWhileRecordingLeavesTheFileConsistent) {
    ScratchFolder folder;
    const std::string path = folder.Path("h.sqlite3");
    { HistoryStore created(path); }
    const pid_t child = ::fork();
    if (child == 0) {
        HistoryStore store(path);
        HistoryEntry e = Entry(1, "ttyUSB0", 1);
        e.configuration = std::string(64 * 1024, 'c');  // each record spans many pages
        for (;;) store.Record(e);
    }
    HistoryStore watcher(path);
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (watcher.List({.limit = 20}).size() < 20 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(IntegrityOf(path), "ok");
    const std::size_t kept = watcher.List().size();
    EXPECT_GE(kept, 20u);
    watcher.Record(Entry(2, "ttyUSB1", 2));
    EXPECT_EQ(watcher.List().size(), kept + 1);
}

TEST(HistoryStore, SeveralProcessesRecordAtOnceWithNothingLost) {
    ScratchFolder folder;
    const std::string path = folder.Path("h.sqlite3");  // made by whichever comes first
    constexpr int kEach = 25;
    std::vector<pid_t> children;
    for (int p = 0; p < 4; ++p) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            try {
                HistoryStore store(path, {.busyTimeout = 10s});
                for (int i = 0; i < kEach; ++i) store.Record(Entry(i, "ttyUSB" + std::to_string(p), i));
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HistoryStore store(path);
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(store.List({.port = "ttyUSB" + std::to_string(p)}).size(), static_cast<std::size_t>(kEach));
}

}  // namespace
}  // namespace qx
