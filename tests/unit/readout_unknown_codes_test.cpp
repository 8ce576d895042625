// Codes outside a drop-down's list, in a listing or a file, leave the
// drop-down without a selection; what Configure and Save write for it is
// then its default item, a code the module and a later load accept (a saved
// "-1" that could not be loaded again was found by fuzzing the loader).

#include <gtest/gtest.h>

#include <algorithm>

#include "operations/workspace.h"
#include "config/command_builder.h"
#include "files/config_file_commands.h"
#include "support/scratch_folder.h"
#include "support/scripted_prompter.h"

namespace qx {
namespace {

using F = FieldId;

const std::string kControlledLine =
    " ATB0 ATC4 ATE1 ATQ0 ATV1 ATX0 AT&B2 AT&C1 AT&D0 AT&E0 AT&G1 AT&K4 AT&L2 AT&N1 AT&M2 AT&S17 AT&U1 AT\\T0"
    " ATS0:1 ATS1:50 ATS2:43 ATS3:13 ATS4:10 ATS5:8 ATS6:0 ATS7:5 ATS8:0 ATS10:1 ATS11:0 ATS14:255 ATS16:0"
    " ATS17:0 ATS18:120 ATS19:5 ATS20:100 ATS21:1 AT&Z1= AT&Z2= AT&Z3= AT&Z0= \r\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

struct UnknownCode {
    const char* what;
    std::string from;
    std::string to;
    F field;
    std::string written;  // the command Configure and Save write for it
};

TEST(ReadoutUnknownCodes, LeaveTheDefaultAndLoadBackAfterASave) {
    for (const UnknownCode& c : {UnknownCode{"flow control 8", "AT&K4", "AT&K8", F::Serial_Flow, "AT&K4"},
                                 UnknownCode{"flow control 6", "AT&K4", "AT&K6", F::Serial_Flow, "AT&K4"},
                                 UnknownCode{"rate 99", "ATC4", "ATC99", F::Serial_Baud, "ATC4"},
                                 UnknownCode{"rate 14", "ATC4", "ATC14", F::Serial_Baud, "ATC4"}}) {
        test::ScratchFolder folder;
        const std::string path = folder.Write("odd.X7R", Replace(kControlledLine, c.from, c.to));
        test::ScriptedPrompter prompter;
        Workspace ws(ModelVariant::Main(), prompter, FixedSystemAddress(17));
        ws.StartUp();
        ASSERT_TRUE(LoadFromFile(ws, path)) << c.what;
        EXPECT_EQ(ws.config.Field(c.field).choice, -1) << c.what;
        const ConfigCommandList list = BuildConfigCommandList(ws.config);
        EXPECT_NE(std::find(list.begin(), list.end(), c.written), list.end()) << c.what;
        for (const std::string& line : list) EXPECT_EQ(line.find('-'), std::string::npos) << c.what << ": " << line;

        class Dialogs : public FileDialogs {
        public:
            explicit Dialogs(std::string p) : p_(std::move(p)) {}
            std::optional<std::string> AskOpenPath() override { return p_; }
            std::optional<std::string> AskSavePath() override { return p_; }

        private:
            std::string p_;
        } dialogs(folder.Path("saved.X7R"));
        ASSERT_TRUE(SaveAs(ws, dialogs, true)) << c.what;
        Workspace again(ModelVariant::Main(), prompter, FixedSystemAddress(17));
        again.StartUp();
        EXPECT_TRUE(LoadFromFile(again, folder.Path("saved.X7R"))) << c.what;
    }
}

}  // namespace
}  // namespace qx
