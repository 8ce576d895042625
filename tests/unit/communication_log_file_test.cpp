// The communication log as a text file: readable bytes, UTC timestamps,
// one line per entry, appending from several writers.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "files/communication_log_file.h"
#include "files/file_errors.h"
#include "support/scripted_prompter.h"
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

struct LineCase {
    LogEntry entry;
    std::string line;
};

class LogLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(LogLine, TimeThenPortThenDirectionThenText) { EXPECT_EQ(FormatLogLine(GetParam().entry), GetParam().line); }

INSTANTIATE_TEST_SUITE_P(
    Table, LogLine,
    ::testing::Values(
        LineCase{{kNoon, "ATI\r", LogDirection::Sent}, "2024-05-01T12:00:00.000Z > ATI\\r"},
        LineCase{{kNoon + milliseconds{250}, "\r\nOK\r\n"}, "2024-05-01T12:00:00.250Z < \\r\\nOK\\r\\n"},
        LineCase{{kNoon, "\r\nOK\r\n", LogDirection::Received, "/dev/ttyUSB1"},
                 "2024-05-01T12:00:00.000Z /dev/ttyUSB1 < \\r\\nOK\\r\\n"},
        LineCase{{kNoon, "+++", LogDirection::Sent, "COM2"}, "2024-05-01T12:00:00.000Z COM2 > +++"},
        LineCase{{kNoon, ""}, "2024-05-01T12:00:00.000Z < "}));

TEST(CommunicationLogFile, AppendsAcrossOpenings) {
    test::ScratchFolder folder;
    const std::string path = folder.Path("comm.log");
    {
        CommunicationLogFile log(path);
        log.WriteLine(FormatLogHeader("qxcfg 1.61, model QX7T-R"));
        log.Write({kNoon, "ATI\r", LogDirection::Sent});
    }
    CommunicationLogFile(path).Write({kNoon, "OK"});
    EXPECT_EQ(FileText(path),
              "# qxcfg 1.61, model QX7T-R\n2024-05-01T12:00:00.000Z > ATI\\r\n2024-05-01T12:00:00.000Z < OK\n");
}

// Several ports (threads) and several programs (separate openings) write
// to one log at once: every line arrives whole.
TEST(CommunicationLogFile, LinesFromManyWritersNeverMix) {
    test::ScratchFolder folder;
    const std::string path = folder.Path("shared.log");
    CommunicationLogFile shared(path);
    CommunicationLogFile other(path);
    constexpr int kLines = 300;
    {
        std::vector<std::jthread> writers;
        for (int w = 0; w < 4; ++w) {
            writers.emplace_back([&, w] {
                CommunicationLogFile& log = w % 2 ? other : shared;
                const std::string text(5000, static_cast<char>('a' + w));
                for (int i = 0; i < kLines; ++i) log.Write({kNoon, text, LogDirection::Received, "P" + std::to_string(w)});
            });
        }
    }
    std::istringstream lines(FileText(path));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const std::size_t mark = line.find(" < ");
        ASSERT_NE(mark, std::string::npos) << line.substr(0, 60);
        const std::string text = line.substr(mark + 3);
        ASSERT_EQ(text, std::string(5000, static_cast<char>('a' + (line[mark - 1] - '0')))) << line.substr(0, 60);
    }
    EXPECT_EQ(count, 4 * kLines);
}

TEST(CommunicationLogFile, AFileThatCannotBeOpenedNamesThePathAndTheReason) {
    test::ScratchFolder folder;
    struct Case {
        std::string path;
        std::string reason;  // empty: the system's own words, whatever they are
    };
    for (const Case& c :
         {Case{folder.Path("missing-dir/comm.log"), ""}, Case{folder.Root().string(), "Is a directory"}}) {
        try {
            CommunicationLogFile log(c.path);
            ADD_FAILURE() << "opened " << c.path;
        } catch (const EFileWriteError& e) {
            const std::string what = e.what();
            const std::string named = "Cannot write " + c.path + ": ";
            EXPECT_EQ(what.rfind(named, 0), 0u) << what;
            EXPECT_GT(what.size(), named.size()) << what;
            if (!c.reason.empty()) {
                EXPECT_EQ(what, named + c.reason);
            }
        }
    }
}

}  // namespace
}  // namespace qx
