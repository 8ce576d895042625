// Saving on Windows: paths are UTF-8 up to the Win32 calls, the bytes go to
// the disk exactly as given (CR LF stays CR LF, with no text-mode
// translation), an old file is replaced in one step, and what may not be
// written is refused with the old content untouched.

#include <windows.h>

#include <gtest/gtest.h>

#include "app/utf8_path.h"
#include "files/file_save.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

std::string ReadUtf8Path(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Win32FileSave, WritesExactBytesUnderUtf8NamesAndRefusesWhatMayNotBeWritten) {
    test::ScratchFolder scratch;
    const std::string folder = scratch.Path("Mäntylä Ørsted");
    std::filesystem::create_directory(PathFromUtf8(folder));
    const std::string content = "ATB0\r\nAT&K3\r\n\n\r";
    struct Case {
        const char* name;
        std::string path;
        std::string old;       // written first, when not empty
        bool readOnly;
        bool saved;
    };
    const Case cases[] = {
        {"NewFileInANonAsciiFolder", folder + "\\sité.X7R", "", false, true},
        {"ReplacesAnOldFile", folder + "\\old.X7R", "old content, longer than the new one\r\n", false, true},
        {"ForwardSlashes", folder + "/slash.X7R", "", false, true},
        {"ReadOnlyFileIsRefusedAndKept", folder + "\\locked.X7R", "kept\r\n", true, false},
        {"FolderIsRefused", folder, "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.old.empty()) std::ofstream(PathFromUtf8(c.path), std::ios::binary) << c.old;
        if (c.readOnly) ::SetFileAttributesW(PathFromUtf8(c.path).c_str(), FILE_ATTRIBUTE_READONLY);
        try {
            SaveFileContent(c.path, content);
            EXPECT_TRUE(c.saved);
            EXPECT_EQ(ReadUtf8Path(c.path), content);
        } catch (const EFileWriteError& e) {
            EXPECT_FALSE(c.saved) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("Cannot save " + c.path + ": ", 0), 0u) << e.what();
            if (!c.old.empty()) {
                EXPECT_EQ(ReadUtf8Path(c.path), c.old);
            }
        }
        if (c.readOnly) ::SetFileAttributesW(PathFromUtf8(c.path).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // Nothing but the saved files is left behind (no temporary file).
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(folder))) {
        EXPECT_NE(entry.path().filename().u8string().rfind(u8".qxsave-", 0), 0u);
        ++files;
    }
    EXPECT_EQ(files, 4);
}

TEST(Win32FileSave, AppendsWholeLinesAndWritesToDevices) {
    test::ScratchFolder scratch;
    const std::string log = scratch.Path("journal-ä.log");
    for (const char* line : {"first\n", "second\r\n"}) {
        UniqueFd fd = OpenFileForAppend(log);
        ASSERT_TRUE(WriteAll(fd.Get(), line));
    }
    EXPECT_EQ(ReadUtf8Path(log), "first\nsecond\r\n");
    EXPECT_NO_THROW(SaveFileContent("NUL", "to the null device\r\n"));
}

}  // namespace
}  // namespace qx
