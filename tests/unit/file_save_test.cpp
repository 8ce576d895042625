// Saving onto whatever the name stands for: links, FIFOs, devices made with
// mknod, directories, sockets, files of another owner, hard links and
// extended attributes; a folder that may
// not be written; a full disk, through the temporary file and in place.
// Device nodes and tmpfs mounts need privileges: those cases are skipped
// where the system refuses them.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "files/file_save.h"
#include "support/child_process.h"
#include "support/scratch_folder.h"

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::ScratchFolder;

mode_t TypeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// Entries in the folder, and temporary files a save left anywhere in it.
std::size_t EntriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}
int Leftovers(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        count += entry.path().filename().string().starts_with(".qxsave-") ? 1 : 0;
    return count;
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
    // What is made first, one thing per "|": F file, D folder, L link to,
    // R FIFO with a reader waiting, P FIFO alone, C/B device node MAJOR
    // MINOR, S socket.
    const char* setup;
    const char* saveTo;
    const char* reason;     // the failure's reason; empty: the save succeeds
    mode_t typeAfter;       // what the name saved to still is
    const char* contentAt;  // where the content arrives (empty: nowhere to look)
};

const TargetCase kTargets[] = {
    {"LinkToAFile", "F target.X7R|L link.X7R target.X7R", "link.X7R", "", S_IFLNK, "target.X7R"},
    {"RelativeLinksIntoAnotherFolder", "D sub|F sub/target.X7R|L outer.X7R sub/inner|L sub/inner target.X7R",
     "outer.X7R", "", S_IFLNK, "sub/target.X7R"},
    {"LinkToANameNotYetTaken", "L dangling.X7R new.X7R", "dangling.X7R", "", S_IFLNK, "new.X7R"},
    {"LinkToACharacterDevice", "L null.X7R /dev/null", "null.X7R", "", S_IFLNK, ""},
    {"FifoWithAReader", "R pipe.X7R", "pipe.X7R", "", S_IFIFO, "pipe.X7R"},
    {"FifoWithoutAReader", "P pipe.X7R", "pipe.X7R", "no program is reading from this FIFO", S_IFIFO, ""},
    {"NullDevice", "C null.X7R 1 3", "null.X7R", "", S_IFCHR, ""},
    {"FullDevice", "C full.X7R 1 7", "full.X7R", "No space left on device", S_IFCHR, ""},
    {"BlockDevice", "B disk.X7R 7 0", "disk.X7R", "Is a block device", S_IFBLK, ""},
    {"Directory", "D dir.X7R", "dir.X7R", "Is a directory", S_IFDIR, ""},
    {"Socket", "S sock.X7R", "sock.X7R", "Is a socket", S_IFSOCK, ""},
};

class SaveOnto : public ::testing::TestWithParam<TargetCase> {
protected:
    ~SaveOnto() override {
        if (reader_ >= 0) ::close(reader_);
    }

    // Makes one thing of the setup; false when the system does not permit it.
    bool Make(const std::string& step) {
        std::istringstream words(step);
        std::string kind, name, target;
        words >> kind >> name;
        const std::string path = folder_.Path(name);
        if (kind == "F") folder_.Write(name, "old");
        if (kind == "D") fs::create_directory(path);
        if (kind == "L" && words >> target) fs::create_symlink(target, path);
        if (kind == "R" || kind == "P") ::mkfifo(path.c_str(), 0600);
        if (kind == "R") reader_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
        if (kind == "C" || kind == "B") {
            unsigned major = 0, minor = 0;
            words >> major >> minor;
            return ::mknod(path.c_str(), (kind == "C" ? S_IFCHR : S_IFBLK) | 0666, makedev(major, minor)) == 0;
        }
        if (kind == "S") {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
            const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
            const bool bound = ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            ::close(s);
            return bound;
        }
        return true;
    }

    std::string Content(const std::string& name) {
        if (reader_ < 0) return ReadWholeFile(folder_.Path(name));
        std::string bytes(256, '\0');
        bytes.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader_, bytes.data(), bytes.size()))));
        return bytes;
    }

    ScratchFolder folder_;
    int reader_ = -1;
};

TEST_P(SaveOnto, WritesWhatTheNameStandsForAndNeverReplacesIt) {
    const TargetCase& c = GetParam();
    std::istringstream setup(c.setup);
    for (std::string step; std::getline(setup, step, '|');)
        if (!Make(step)) GTEST_SKIP() << "this system does not permit: " << step;
    const std::string path = folder_.Path(c.saveTo);
    const auto error = SaveError(path, "new\r\n");
    if (*c.reason) {
        EXPECT_EQ(error, "Cannot save " + path + ": " + c.reason);
    } else {
        EXPECT_EQ(error, std::nullopt);
    }
    EXPECT_EQ(TypeOf(path), c.typeAfter);
    EXPECT_EQ(*c.contentAt ? Content(c.contentAt) : "new\r\n", "new\r\n");
    EXPECT_EQ(Leftovers(folder_.Root()), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, SaveOnto, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

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
    EXPECT_EQ(std::make_tuple(st.st_uid, st.st_gid, st.st_mode & 07777),
              std::make_tuple(test::kNobody, test::kNobody, mode_t{0640}));
    EXPECT_EQ(ReadWholeFile(path), "new");
}

// An unprivileged user and a folder it may not write: a file it may write
// is written where it stands (same file, same owner), one it may not is
// refused with the old content kept; nothing is left behind either way.
TEST(FileSave, AFolderThatMayNotBeWrittenStillTakesAFileThatMay) {
    for (const mode_t fileMode : {0666, 0644}) {
        const bool writable = fileMode == 0666;
        ScratchFolder folder;
        const std::string path = folder.Write("shared.X7R", "the old content, longer than the new");
        ASSERT_EQ(::chmod(folder.Root().c_str(), 0755), 0);
        ASSERT_EQ(::chmod(path.c_str(), fileMode), 0);
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);
        const int failures = test::ExitCodeOfChild([&] {
            if (!test::GiveUpRoot()) return 255;
            const auto error = SaveError(path, "new content");
            return writable ? int(error.has_value()) : int(error != "Cannot save " + path + ": Permission denied");
        });
        EXPECT_EQ(failures, 0) << std::oct << fileMode;
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(std::make_pair(after.st_ino, after.st_uid), std::make_pair(before.st_ino, before.st_uid));
        EXPECT_EQ(ReadWholeFile(path), writable ? "new content" : "the old content, longer than the new");
        EXPECT_EQ(EntriesIn(folder.Root()), 1u);
    }
}

// What a rename onto the name would lose: the file's other names (hard
// links) are written in place, so each shows the new content; its extended
// attributes (where the file system has them) are carried over.
TEST(FileSave, AFileKeepsItsOtherNamesAndItsAttributes) {
    ScratchFolder folder;
    const std::string path = folder.Write("site.X7R", "old");
    const std::string other = folder.Path("other-name.X7R");
    ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    SaveFileContent(path, "new");
    EXPECT_EQ(ReadWholeFile(other), "new");
    EXPECT_EQ(Leftovers(folder.Root()), 0);

    const std::string tagged = folder.Write("tagged.X7R", "old");
    if (::setxattr(tagged.c_str(), "user.qx.site", "north", 5, 0) != 0)
        GTEST_SKIP() << "no user attributes on this file system: " << std::strerror(errno);
    SaveFileContent(tagged, "new");
    char value[16] = {};
    EXPECT_EQ(::getxattr(tagged.c_str(), "user.qx.site", value, sizeof value), 5);
    EXPECT_STREQ(value, "north");
    EXPECT_EQ(ReadWholeFile(tagged), "new");
}

// A disk with no room left: the save fails with the system's reason and
// the old content is all there, whether the save went through a temporary
// file or, for an unprivileged user in a folder it may not write, in place.
TEST(FileSave, AFullDiskKeepsTheOldContent) {
    const std::string old(3000, 'o');
    for (const bool throughTemporary : {true, false}) {
        ScratchFolder scratch;
        ASSERT_EQ(::chmod(scratch.Root().c_str(), 0755), 0);
        const std::string disk = scratch.Path("disk");
        fs::create_directory(disk);
        const int failures = test::ExitCodeOfChild([&] {
            if (!test::MountPrivateTmpfs(disk, "16k")) return 200;  // not permitted here
            const std::string path = disk + "/site.X7R";
            std::ofstream(path) << old;
            std::ofstream filler(disk + "/filler");
            while (filler << 'f') {
            }
            filler.close();
            ::chmod(path.c_str(), 0666);
            ::chmod(disk.c_str(), throughTemporary ? 0777 : 0755);
            if (!throughTemporary && !test::GiveUpRoot()) return 255;
            const auto error = SaveError(path, std::string(8000, 'n'));
            return (error && error->find(std::strerror(ENOSPC)) != std::string::npos ? 0 : 1) +
                   (ReadWholeFile(path) == old ? 0 : 2) + (EntriesIn(disk) == 2 ? 0 : 4);
        });
        if (failures == 200) GTEST_SKIP() << "this system does not permit mounting a tmpfs";
        EXPECT_EQ(failures, 0) << (throughTemporary ? "through a temporary file" : "in place");
    }
}

}  // namespace
}  // namespace qx
