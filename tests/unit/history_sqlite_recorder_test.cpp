// The recorder between the operations and the history file: a failure is
// told once per reason and never thrown; whether a write backs the module
// up first; and the configuration of an entry by its number.

#include <gtest/gtest.h>

#include "history/history_errors.h"
#include "history/history_operand.h"
#include "history/history_recorder.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

using test::ScratchFolder;

HistoryEntry Kept(HistoryKind kind, const std::string& device) {
    HistoryEntry e;
    e.kind = kind;
    e.port = e.device = device;
    e.configuration = " ATB0 \r\n";
    return e;
}

TEST(HistoryRecorder, TellsEachReasonForLosingAnEntryOnceAndNeverThrows) {
    ScratchFolder folder;
    const std::string corrupt = folder.Write("history.sqlite3", std::string(4096, 'x'));
    std::vector<std::string> notices;
    HistoryRecorder recorder("qxcfg", [&](const std::string& text) { notices.push_back(text); }, corrupt);
    EXPECT_FALSE(recorder.Record(Kept(HistoryKind::Read, "/dev/ttyUSB0")).has_value());
    EXPECT_FALSE(recorder.Record(Kept(HistoryKind::Written, "/dev/ttyUSB0")).has_value());
    recorder.NotKept("the module could not be read before the write (no answer)");
    recorder.NotKept("the module could not be read before the write (no answer)");
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0].rfind("history not kept: " + corrupt + " is damaged or is no history database", 0), 0u)
        << notices[0];
    EXPECT_EQ(notices[1], "history not kept: the module could not be read before the write (no answer)");
    EXPECT_TRUE(test::ReadWholeFile(corrupt) == std::string(4096, 'x')) << "the file was changed";
}

TEST(HistoryRecorder, FillsInTimeProgramAndCommand) {
    ScratchFolder folder;
    HistoryRecorder recorder("Cfg_QX7TR", {}, folder.Path("h.sqlite3"));
    HistoryEntry read = Kept(HistoryKind::Read, "/dev/ttyUSB0");
    read.command = "Read";
    const auto first = recorder.Record(read);  // no command said: the operation's own
    recorder.BeginCommand("Compare with Module");
    const auto second = recorder.Record(read);
    HistoryStore store(folder.Path("h.sqlite3"));
    EXPECT_EQ(store.Get(*first)->program + ", " + store.Get(*first)->command + ", " + store.Get(*second)->command,
              "Cfg_QX7TR, Read, Compare with Module");
    EXPECT_GT(store.Get(*first)->timeMs, 1'700'000'000'000);  // UTC ms, not seconds
}

// A write reads the module first unless this command already kept that
// module's configuration, backups are off, or the history failed.
TEST(HistoryRecorder, WantsABackupOnlyWhereNothingWasKeptYet) {
    ScratchFolder folder;
    const std::string path = folder.Path("h.sqlite3");
    HistoryRecorder recorder("qxcfg", {}, path);
    const std::string a = "/dev/ttyUSB0", b = "/dev/ttyUSB1";
    EXPECT_FALSE(recorder.WantsBackup(a)) << "off until asked";
    recorder.SetBackupBeforeWrite(true);
    recorder.BeginCommand("set");
    EXPECT_TRUE(recorder.WantsBackup(a));
    recorder.Record(Kept(HistoryKind::Read, a));
    EXPECT_FALSE(recorder.WantsBackup(a)) << "this command's read is the backup";
    EXPECT_TRUE(recorder.WantsBackup(b)) << "another module";
    recorder.Record(Kept(HistoryKind::Written, b));
    EXPECT_TRUE(recorder.WantsBackup(b)) << "a write keeps no earlier state";
    recorder.BeginCommand("write");
    EXPECT_TRUE(recorder.WantsBackup(a)) << "a new command";

    HistoryRecorder broken("qxcfg", {}, folder.Write("broken.sqlite3", std::string(4096, 'x')));
    broken.SetBackupBeforeWrite(true);
    broken.Record(Kept(HistoryKind::Written, b));
    EXPECT_FALSE(broken.WantsBackup(a)) << "a backup that cannot be kept is not read";
}

TEST(HistoryOperand, GivesTheConfigurationOfAnEntry) {
    ScratchFolder folder;
    HistoryStore store(folder.Path("h.sqlite3"));
    const std::int64_t kept = store.Record(Kept(HistoryKind::BeforeWrite, "/dev/ttyUSB0"));
    HistoryEntry restored = Kept(HistoryKind::RestoredDefaults, "/dev/ttyUSB0");
    restored.configuration.clear();
    const std::int64_t empty = store.Record(restored);
    EXPECT_EQ(HistoryConfiguration(store, HistoryOperandId("history:" + std::to_string(kept))), " ATB0 \r\n");
    EXPECT_THROW(HistoryConfiguration(store, empty), EHistoryNoEntry);
    EXPECT_THROW(HistoryConfiguration(store, 99), EHistoryNoEntry);
}

}  // namespace
}  // namespace qx
