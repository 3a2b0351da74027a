// Every fernctl command that reads or writes a file, given what is not a
// regular file or a name it cannot use: exit 2 with one short line, at once,
// and nothing replaced.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "fernctl/FernctlRunner.h"
#include "lists/TempFolder.h"

using fern::test::ExpectRefused;
using fern::test::FernctlRun;
using fern::testing::TempFolder;
using Args = std::vector<std::string>;

namespace {

// Refused within two seconds (a hang is killed after ten).
void ExpectRefusedAtOnce(const Args& args, const std::string& says = "",
                         const std::string& input = "/dev/null") {
    SCOPED_TRACE(args[0] + " " + args[1] + " " + args[2].substr(0, 40));
    FernctlRun run = fern::test::RunFernctlReading(args, input, 10);
    EXPECT_FALSE(run.timedOut);
    EXPECT_LT(run.seconds, 2.0);
    ExpectRefused(run, says);
    EXPECT_LT(run.err.size(), 1100u) << "one short line";
}

// The commands that read `file`; `folder` holds their other files.
std::vector<Args> Readers(const std::string& file, const std::string& folder) {
    std::vector<Args> readers;
    for (const char* kind : {"bookmark", "items", "urls", "sections"})
        readers.push_back({"list", "dump", file, "--kind", kind});
    readers.push_back({"ini", "get", file, "S", "k"});
    readers.push_back({"encoding", "detect", file});
    readers.push_back({"encoding", "convert", file});
    for (const char* kind : {"netscape", "hotlist", "htmllist"})
        readers.push_back({"bookmarks", "import", kind, file, folder + "/b.fbl"});
    readers.push_back({"bookmarks", "export", "netscape", file, folder + "/out.html"});
    return readers;
}

// The commands that write `file`.
std::vector<Args> Writers(const std::string& file, const std::string& folder) {
    return {{"list", "write", file, "--kind", "urls"},
            {"ini", "set", file, "S", "k", "v"},
            {"ini", "delete", file, "S"},
            {"bookmarks", "import", "netscape", folder + "/source.html", file},
            {"bookmarks", "export", "netscape", folder + "/b.fbl", file}};
}

mode_t TypeOf(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

}  // namespace

TEST(FernctlSpecialFiles, FifosDevicesAndFoldersAreRefusedAtOnceAndNeverReplaced) {
    TempFolder folder;
    fern::testing::WriteBytes(folder.File("source.html"), "<DL><DT><A HREF=\"http://a/\">a</A></DL>");
    std::string fifo = folder.File("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(mkdir(folder.File("folder").c_str(), 0700), 0);
    for (const std::string& file :
         {fifo, std::string("/dev/zero"), std::string("/dev/null"), folder.File("folder")})
        for (const Args& args : Readers(file, folder.Path()))
            ExpectRefusedAtOnce(args, file.substr(file.rfind('/') + 1));

    // Written files are replaced by rename: a FIFO or a device in their place
    // must stay. Devices of our own, not those of /dev.
    std::vector<std::string> targets{fifo, folder.File("folder")};
    if (getuid() == 0) {
        for (auto [name, minor] : {std::pair{"null", 3}, {"zero", 5}}) {
            ASSERT_EQ(mknod(folder.File(name).c_str(), S_IFCHR | 0600, makedev(1, minor)), 0);
            targets.push_back(folder.File(name));
        }
    }
    for (const std::string& target : targets) {
        mode_t type = TypeOf(target);
        for (const Args& args : Writers(target, folder.Path())) {
            ExpectRefusedAtOnce(args);
            EXPECT_EQ(TypeOf(target), type) << target << " was replaced";
        }
    }
}

TEST(FernctlSpecialFiles, AnEndlessStandardInputIsCutOffAtItsLimit) {
    TempFolder folder;
    ExpectRefusedAtOnce({"list", "write", folder.File("new.fbl"), "--kind", "urls"}, "larger than 64 MiB",
                        "/dev/zero");
    EXPECT_EQ(TypeOf(folder.File("new.fbl")), 0u);
}

TEST(FernctlSpecialFiles, FileNamesAreTheFileSystemsWhateverTheirCharacters) {
    TempFolder folder;
    // Neither "caf\xE9" (not UTF-8) nor "café" (no é in Shift-JIS) may become
    // "caf?", another file: each names its own file.
    for (const std::string& name : {std::string("caf\xE9"), std::string("caf\xC3\xA9")}) {
        std::string file = folder.Path() + "/" + name;
        EXPECT_EQ(fern::test::RunFernctl({"ini", "set", file, "S", "k", "v"}).status, 0);
        FernctlRun got = fern::test::RunFernctl({"ini", "get", file, "S", "k"});
        EXPECT_EQ(got.status, 0);
        EXPECT_EQ(got.out, "v\n");
        EXPECT_EQ(
            fern::test::RunFernctl({"list", "write", file + ".fbl", "--kind", "urls"}, "[\"http://a/\"]")
                .status,
            0);
        EXPECT_EQ(TypeOf(file + ".fbl"), static_cast<mode_t>(S_IFREG));
    }
    EXPECT_EQ(TypeOf(folder.File("caf?")), 0u);
    // A 64 KiB name is refused at once, in a line of bounded length.
    std::string file = folder.Path() + "/" + std::string(65536, 'n');
    std::vector<Args> all = Readers(file, folder.Path());
    for (const Args& args : Writers(file, folder.Path())) all.push_back(args);
    for (const Args& args : all) ExpectRefusedAtOnce(args);
}
