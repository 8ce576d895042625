// The communication log as a text file: readable bytes, UTC timestamps,
// one line per entry, appending and replacing, and the entries a working
// configuration's log yields.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/communication_log_file.h"
#include "files/file_errors.h"
#include "support/config_fixture.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

using namespace std::chrono;

struct ReadableCase {
    std::string text;
    std::string readable;
};

class Readable : public ::testing::TestWithParam<ReadableCase> {};

TEST_P(Readable, IsOneLineWithEveryByteVisible) { EXPECT_EQ(ReadableLogText(GetParam().text), GetParam().readable); }

INSTANTIATE_TEST_SUITE_P(Table, Readable,
                         ::testing::Values(ReadableCase{"", ""}, ReadableCase{"\r\nOK\r\n", "\\r\\nOK\\r\\n"},
                                           ReadableCase{"a\\b", "a\\\\b"}, ReadableCase{"\t\x1b", "\\x09\\x1B"},
                                           ReadableCase{"\x7f\xff\x80", "\\x7F\\xFF\\x80"},
                                           ReadableCase{std::string("0\0x", 3), "0\\x00x"},
                                           ReadableCase{"S0:001 &Z0= ~", "S0:001 &Z0= ~"}));

struct StampCase {
    sys_time<milliseconds> when;
    const char* text;
};

class Timestamp : public ::testing::TestWithParam<StampCase> {};

TEST_P(Timestamp, IsUtcToTheMillisecond) { EXPECT_EQ(LogTimestamp(GetParam().when), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Table, Timestamp,
    ::testing::Values(StampCase{sys_days{year{1970} / 1 / 1}, "1970-01-01T00:00:00.000Z"},
                      StampCase{sys_days{year{2024} / 2 / 29} + hours{23} + minutes{59} + seconds{59} + milliseconds{999},
                                "2024-02-29T23:59:59.999Z"},
                      StampCase{sys_days{year{2031} / 12 / 31} + milliseconds{7}, "2031-12-31T00:00:00.007Z"},
                      // Before the epoch the fraction still counts forward.
                      StampCase{sys_days{year{1970} / 1 / 1} - milliseconds{1}, "1969-12-31T23:59:59.999Z"}));

std::string FileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const system_clock::time_point kNoon = sys_days{year{2024} / 5 / 1} + hours{12};

TEST(CommunicationLogFile, AppendsOneLinePerEntryAndReplacesWhenAsked) {
    test::ScratchFolder folder;
    const std::string path = folder.Path("comm.log");
    {
        CommunicationLogFile log(path, LogFileMode::Append);
        log.Write({kNoon, "ATI\r\r\nQX7T-R\r\n\r\nOK\r\n"});
    }
    {
        CommunicationLogFile log(path, LogFileMode::Append);
        log.Write({kNoon + milliseconds{250}, "\r\nOK\r\n"});
    }
    EXPECT_EQ(FileText(path),
              "2024-05-01T12:00:00.000Z  ATI\\r\\r\\nQX7T-R\\r\\n\\r\\nOK\\r\\n\n"
              "2024-05-01T12:00:00.250Z  \\r\\nOK\\r\\n\n");
    SaveLogEntries(path, {{kNoon, "one"}, {kNoon, ""}});
    EXPECT_EQ(FileText(path), "2024-05-01T12:00:00.000Z  one\n2024-05-01T12:00:00.000Z  \n");
}

TEST(CommunicationLogFile, AFileThatCannotBeOpenedNamesThePathAndTheReason) {
    test::ScratchFolder folder;
    const std::string path = folder.Path("missing-dir/comm.log");
    try {
        CommunicationLogFile log(path, LogFileMode::Append);
        FAIL() << "opened " << path;
    } catch (const EFileWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write " + path + ": No such file or directory");
    }
}

TEST(LogFollower, EachAppendIsOneEntryWithoutItsLineEnd) {
    test::StartedConfig fixture;
    WorkingConfig& config = fixture.config;
    config.AppendLogLine("before");  // already there: not an entry
    std::vector<std::string> entries;
    {
        LogFollower follower(config, [&](const std::string& entry) { entries.push_back(entry); });
        config.AppendLogLine("\r\nOK\r\n\r");
        config.SetStatusText("not a log entry");
        config.ClearLog();
        config.AppendLog("no line end");
        config.AppendLogLine("");
    }
    config.AppendLogLine("after");  // the follower has gone
    EXPECT_EQ(entries, (std::vector<std::string>{"\r\nOK\r\n\r", "no line end", ""}));
}

}  // namespace
}  // namespace qx
