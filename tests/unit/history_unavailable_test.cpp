// A build without SQLite keeps no history and says so once.

#include <gtest/gtest.h>

#include "history/history_errors.h"
#include "history/history_recorder.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

TEST(HistoryUnavailable, IsSaidOnceAndKeepsNothing) {
    test::ScratchFolder folder;
    std::vector<std::string> notices;
    HistoryRecorder recorder("qxcfg", [&](const std::string& text) { notices.push_back(text); },
                             folder.Path("h.sqlite3"));
    HistoryEntry entry;
    EXPECT_FALSE(recorder.Record(entry).has_value());
    EXPECT_FALSE(recorder.Record(entry).has_value());
    EXPECT_EQ(notices, std::vector<std::string>{"history is not available in this build"});
    EXPECT_THROW(HistoryStore(folder.Path("h.sqlite3")), EHistoryUnavailable);
}

}  // namespace
}  // namespace qx
