// Where the history lives by default, and how "history:ID" is read.

#include <gtest/gtest.h>

#include <map>

#include "history/history_errors.h"
#include "history/history_location.h"
#include "history/history_operand.h"

namespace qx {
namespace {

TEST(HistoryLocation, ComesFromTheEnvironment) {
    using Env = std::map<std::string, std::string>;
    const struct {
        Env env;
        const char* path;  // null: no place
    } cases[] = {
        {{{"HOME", "/home/al"}}, "/home/al/.local/share/qxconfig/history.sqlite3"},
        {{{"HOME", "/home/al"}, {"XDG_DATA_HOME", "/data"}}, "/data/qxconfig/history.sqlite3"},
        {{{"HOME", "/home/al"}, {"XDG_DATA_HOME", "relative"}}, "/home/al/.local/share/qxconfig/history.sqlite3"},
        {{{"HOME", "/home/al"}, {"XDG_DATA_HOME", "/data"}, {"QX_HISTORY", "site.sqlite3"}}, "site.sqlite3"},
        {{{"QX_HISTORY", "/tmp/h.sqlite3"}}, "/tmp/h.sqlite3"},
        {{{"XDG_DATA_HOME", "/data"}}, "/data/qxconfig/history.sqlite3"},
        {{}, nullptr},
        {{{"HOME", ""}, {"QX_HISTORY", ""}}, nullptr},
    };
    for (const auto& c : cases) {
        const EnvironmentLookup lookup = [&](const char* name) -> const char* {
            const auto it = c.env.find(name);
            return it == c.env.end() ? nullptr : it->second.c_str();
        };
        if (c.path)
            EXPECT_EQ(DefaultHistoryPath(lookup), c.path);
        else
            EXPECT_THROW(DefaultHistoryPath(lookup), EHistoryError);
    }
}

TEST(HistoryOperand, NamesAnEntryByItsNumber) {
    EXPECT_TRUE(IsHistoryOperand("history:12"));
    EXPECT_FALSE(IsHistoryOperand("site.X7R"));
    EXPECT_FALSE(IsHistoryOperand("port:/dev/ttyUSB0"));
    EXPECT_EQ(HistoryOperandId("history:12"), 12);
    EXPECT_EQ(HistoryOperandId("history:9000000000"), 9000000000);
    for (const char* bad : {"history:", "history:x", "history:0", "history:-3", "history:12a", "history: 12", "site.X7R"})
        EXPECT_THROW(HistoryOperandId(bad), EHistoryOperandError) << bad;
}

}  // namespace
}  // namespace qx
