// Saving onto whatever the name stands for: links, FIFOs, devices made with
// mknod, directories, sockets, files of another owner; a folder that may
// not be written; a full disk, through the temporary file and in place.
// Device nodes and tmpfs mounts need privileges: those rows are skipped
// where the system refuses them.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <functional>
#include <optional>

#include "files/file_save.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::ScratchFolder;

std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

// Temporary files a save left behind anywhere in the folder.
int Leftovers(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        count += entry.path().filename().string().starts_with(".qxsave-") ? 1 : 0;
    return count;
}

mode_t TypeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// The error of a save, or nothing when it succeeded.
std::optional<std::string> SaveError(const std::string& path, const std::string& content) {
    try {
        SaveFileContent(path, content);
        return std::nullopt;
    } catch (const EFileWriteError& e) {
        return std::string(e.what());
    }
}

struct TargetCase {
    const char* name;
    // Makes the thing the save goes to; returns the path to save to, or
    // nothing when the system does not permit making it.
    std::function<std::optional<std::string>(const ScratchFolder&)> make;
    const char* reason;  // the failure's reason; nullptr: the save succeeds
    mode_t typeAfter;    // what the saved name still is
    // Where the content shows up (empty: nowhere to look).
    std::function<std::string(const ScratchFolder&)> content;
};

std::optional<std::string> Node(const ScratchFolder& folder, const char* name, mode_t type, int major, int minor) {
    const std::string path = folder.Path(name);
    if (::mknod(path.c_str(), type | 0666, makedev(major, minor)) != 0) return std::nullopt;
    return path;
}

std::vector<TargetCase> Targets() {
    // The FIFO's reader is opened without blocking before the save writes.
    auto reader = std::make_shared<int>(-1);
    return {
    {"link to a file",
     [](const ScratchFolder& f) -> std::optional<std::string> {
         f.Write("target.X7R", "old");
         fs::create_symlink("target.X7R", f.Path("link.X7R"));
         return f.Path("link.X7R");
     },
     nullptr, S_IFLNK, [](const ScratchFolder& f) { return ReadWholeFile(f.Path("target.X7R")); }},
    {"chain of relative links into another folder",
     [](const ScratchFolder& f) -> std::optional<std::string> {
         fs::create_directory(f.Path("sub"));
         f.Write("sub/target.X7R", "old");
         fs::create_symlink("sub/inner", f.Path("outer.X7R"));
         fs::create_symlink("target.X7R", f.Path("sub/inner"));
         return f.Path("outer.X7R");
     },
     nullptr, S_IFLNK, [](const ScratchFolder& f) { return ReadWholeFile(f.Path("sub/target.X7R")); }},
    {"link to a name not yet taken",
     [](const ScratchFolder& f) -> std::optional<std::string> {
         fs::create_symlink("new.X7R", f.Path("dangling.X7R"));
         return f.Path("dangling.X7R");
     },
     nullptr, S_IFLNK, [](const ScratchFolder& f) { return ReadWholeFile(f.Path("new.X7R")); }},
    {"FIFO with a reader",
     [reader](const ScratchFolder& f) -> std::optional<std::string> {
         ::mkfifo(f.Path("pipe.X7R").c_str(), 0600);
         *reader = ::open(f.Path("pipe.X7R").c_str(), O_RDONLY | O_NONBLOCK);
         return f.Path("pipe.X7R");
     },
     nullptr, S_IFIFO,
     [reader](const ScratchFolder&) {
         char buffer[256] = {};
         const ssize_t n = ::read(*reader, buffer, sizeof buffer);
         ::close(*reader);
         return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
     }},
    {"link to a character device",
     [](const ScratchFolder& f) -> std::optional<std::string> {
         fs::create_symlink("/dev/null", f.Path("null.X7R"));
         return f.Path("null.X7R");
     },
     nullptr, S_IFLNK, nullptr},
    {"FIFO without a reader",
     [](const ScratchFolder& f) -> std::optional<std::string> {
         ::mkfifo(f.Path("pipe.X7R").c_str(), 0600);
         return f.Path("pipe.X7R");
     },
     "no program is reading from this FIFO", S_IFIFO, nullptr},
    {"character device (null)", [](const ScratchFolder& f) { return Node(f, "null.X7R", S_IFCHR, 1, 3); }, nullptr,
     S_IFCHR, nullptr},
    {"character device that is full",
     [](const ScratchFolder& f) { return Node(f, "full.X7R", S_IFCHR, 1, 7); }, "No space left on device", S_IFCHR,
     nullptr},
    {"block device", [](const ScratchFolder& f) { return Node(f, "disk.X7R", S_IFBLK, 7, 0); }, "Is a block device",
     S_IFBLK, nullptr},
    {"directory",
     [](const ScratchFolder& f) -> std::optional<std::string> {
         fs::create_directory(f.Path("dir.X7R"));
         return f.Path("dir.X7R");
     },
     "Is a directory", S_IFDIR, nullptr},
    {"socket",
     [](const ScratchFolder& f) -> std::optional<std::string> {
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         std::strncpy(address.sun_path, f.Path("sock.X7R").c_str(), sizeof address.sun_path - 1);
         const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
         ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
         ::close(s);
         return f.Path("sock.X7R");
     },
     "Is a socket", S_IFSOCK, nullptr},
    };
}

class SaveOnto : public ::testing::TestWithParam<TargetCase> {};

TEST_P(SaveOnto, WritesWhatTheNameStandsForAndNeverReplacesIt) {
    const TargetCase& c = GetParam();
    ScratchFolder folder;
    const auto path = c.make(folder);
    if (!path) GTEST_SKIP() << "this system does not permit making a " << c.name;
    const auto error = SaveError(*path, "new\r\n");
    if (c.reason) {
        EXPECT_EQ(error, "Cannot save " + *path + ": " + c.reason);
    } else {
        EXPECT_EQ(error, std::nullopt);
    }
    EXPECT_EQ(TypeOf(*path), c.typeAfter);
    if (c.content) {
        EXPECT_EQ(c.content(folder), "new\r\n");
    }
    EXPECT_EQ(Leftovers(folder.Root()), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, SaveOnto, ::testing::ValuesIn(Targets()),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name;
                         });

// Root saving another user's file (as people do when a port's permissions
// bite): the file keeps its owner, group and mode.
TEST(FileSave, AReplacedFileKeepsItsOwnerAndMode) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    ScratchFolder folder;
    const std::string path = folder.Write("theirs.X7R", "old");
    ASSERT_EQ(::chown(path.c_str(), test::kNobody, test::kNobody), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    SaveFileContent(path, "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, test::kNobody);
    EXPECT_EQ(st.st_gid, test::kNobody);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadWholeFile(path), "new");
}

// An unprivileged user and a folder it may not write: a file it may write
// is written where it stands (same file, same owner), one it may not is
// refused with the old content kept; nothing is left behind either way.
TEST(FileSave, AFolderThatMayNotBeWrittenStillTakesAFileThatMay) {
    struct Case {
        mode_t fileMode;
        const char* error;  // nullptr: saved
    };
    for (const Case& c : {Case{0666, nullptr}, Case{0644, "Permission denied"}}) {
        ScratchFolder folder;
        const std::string path = folder.Write("shared.X7R", "the old content, longer than the new");
        ASSERT_EQ(::chmod(folder.Root().c_str(), 0755), 0);
        ASSERT_EQ(::chmod(path.c_str(), c.fileMode), 0);
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);
        const int failures = test::ExitCodeOfChild([&] {
            if (!test::GiveUpRoot()) return 255;
            const auto error = SaveError(path, "new content");
            return c.error ? int(error != "Cannot save " + path + ": " + c.error) : int(error.has_value());
        });
        EXPECT_EQ(failures, 0) << std::oct << c.fileMode;
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(ReadWholeFile(path), c.error ? "the old content, longer than the new" : "new content");
        EXPECT_EQ(EntriesIn(folder.Root()), 1u);
    }
}

// A disk with no room left: the save fails with the system's reason and
// the old content is all there, whether the save went through a temporary
// file or, for an unprivileged user in a folder it may not write, in place.
TEST(FileSave, AFullDiskKeepsTheOldContent) {
    struct Case {
        const char* name;
        bool folderWritable;
    };
    const std::string old(3000, 'o');
    for (const Case& c : {Case{"through a temporary file", true}, Case{"in place", false}}) {
        ScratchFolder scratch;
        ASSERT_EQ(::chmod(scratch.Root().c_str(), 0755), 0);
        const std::string disk = scratch.Path("disk");
        fs::create_directory(disk);
        const int failures = test::ExitCodeOfChild([&] {
            if (!test::MountPrivateTmpfs(disk, "16k")) return 200;  // not permitted here
            const std::string path = disk + "/site.X7R";
            std::ofstream(path) << old;
            // Fill what is left of the disk.
            const int filler = ::open((disk + "/filler").c_str(), O_WRONLY | O_CREAT, 0600);
            const std::string block(4096, 'f');
            while (::write(filler, block.data(), block.size()) > 0) {
            }
            while (::write(filler, block.data(), 1) > 0) {
            }
            ::close(filler);
            ::chmod(path.c_str(), 0666);
            ::chmod(disk.c_str(), c.folderWritable ? 0777 : 0755);
            if (!c.folderWritable && !test::GiveUpRoot()) return 255;
            const auto error = SaveError(path, std::string(8000, 'n'));
            int failed = error && error->find(std::strerror(ENOSPC)) != std::string::npos ? 0 : 1;
            failed += ReadWholeFile(path) == old ? 0 : 2;
            failed += EntriesIn(disk) == 2 ? 0 : 4;
            return failed;
        });
        if (failures == 200) GTEST_SKIP() << "this system does not permit mounting a tmpfs";
        EXPECT_EQ(failures, 0) << c.name;
    }
}

}  // namespace
}  // namespace qx
