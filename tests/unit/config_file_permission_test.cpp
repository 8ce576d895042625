// Loading and saving where the user has no permission. Permission bits do
// not stop root, and the tests run as root in CI; so the case runs in a
// child process that first gives up root for an unprivileged user (as an
// ordinary user it runs as it is).

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>

#include "operations/workspace.h"
#include "files/config_file_commands.h"
#include "files/file_errors.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"
#include "support/scripted_prompter.h"

namespace qx {
namespace {

using test::ReadWholeFile;
using test::ScratchFolder;

class FixedDialogs : public FileDialogs {
public:
    explicit FixedDialogs(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> AskOpenPath() override { return path_; }
    std::optional<std::string> AskSavePath() override { return path_; }

private:
    std::string path_;
};

// Runs `check` in a child process without root's privileges; the child's
// exit code is the number of failed expectations (255 when it could not
// give up root).
int FailuresWithoutPrivileges(const std::function<int()>& check) {
    return test::ExitCodeOfChild([&] { return test::GiveUpRoot() ? check() : 255; });
}

TEST(ConfigFilePermission, AFileThatMayNotBeReadGivesTheLoadMessageAndDefaults) {
    ScratchFolder folder;
    const std::string path = folder.Path("secret.X7R");
    {
        test::ScriptedPrompter prompter;
        Workspace ws(ModelVariant::Main(), prompter, FixedSystemAddress(17));
        ws.StartUp();
        ws.config.SetNumber(FieldId::sreg_0, 7);
        FixedDialogs dialogs(path);
        ASSERT_TRUE(SaveAs(ws, dialogs, true));
    }
    // The folder may be searched, the file may not be read.
    ASSERT_EQ(::chmod(folder.Root().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    const int failures = FailuresWithoutPrivileges([&] {
        test::ScriptedPrompter prompter;
        Workspace ws(ModelVariant::Main(), prompter, FixedSystemAddress(17));
        ws.StartUp();
        const long defaultS0 = ws.config.Value(FieldId::sreg_0);
        int failed = 0;
        failed += LoadFromFile(ws, path) ? 1 : 0;
        failed += prompter.Texts() == std::vector<std::string>{std::string(kLoadErrorText)} ? 0 : 1;
        failed += ws.currentFileName.empty() ? 0 : 1;
        failed += ws.config.Value(FieldId::sreg_0) == defaultS0 ? 0 : 1;
        return failed;
    });
    EXPECT_EQ(failures, 0);
}

TEST(ConfigFilePermission, SavingAFileThatMayNotBeWrittenSaysWhyAndKeepsTheOldFile) {
    ScratchFolder folder;
    const std::string path = folder.Write("kept.X7R", "old line\r\n");
    // Readable and searchable by everyone, writable by its owner only; so
    // is the file.
    ASSERT_EQ(::chmod(folder.Root().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    const int failures = FailuresWithoutPrivileges([&] {
        test::ScriptedPrompter prompter;
        Workspace ws(ModelVariant::Main(), prompter, FixedSystemAddress(17));
        ws.StartUp();
        ws.currentFileName = path;
        FixedDialogs dialogs(path);
        int failed = 1;
        try {
            Save(ws, dialogs);
        } catch (const EFileWriteError& e) {
            const std::string reason = e.what();
            failed = reason.find(std::strerror(EACCES)) != std::string::npos && reason.find(path) != std::string::npos
                         ? 0
                         : 1;
        }
        return failed + (ws.currentFileName == path ? 0 : 1);
    });
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(ReadWholeFile(path), "old line\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 1);  // no leftovers
}

}  // namespace
}  // namespace qx
