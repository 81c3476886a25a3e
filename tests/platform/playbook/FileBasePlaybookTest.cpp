#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/playbook/FileBasePlaybook.h"
#include "tests/core/file/TempDirectory.h"

using namespace orvo;
using trellin_test::TempDirectory;

namespace {

// Opens the raw directory calls to the test.
class DirectoryReader : public FileBasePlaybook {
public:
    using FileBasePlaybook::rawCreateDirectory;
    using FileBasePlaybook::rawReadDirectory;
};

bool contains(const Array<ZqString>& names, const char* name) {
    for (const ZqString& n : names) {
        if (n == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(FileBasePlaybook, ReadDirectorySortsFilesFromDirectories) {
    TempDirectory dir;
    dir.write("list/a.txt", std::string("a"));
    dir.write("list/sub/b.txt", std::string("b"));
    ASSERT_EQ(symlink((dir / "list/a.txt").c_str(), (dir / "list/link.txt").c_str()), 0);
    ASSERT_EQ(mkfifo((dir / "list/pipe").c_str(), 0600), 0);
    DirectoryReader reader;
    Array<ZqString> files;
    Array<ZqString> directories;
    files.pushBack("stale");
    ASSERT_TRUE(reader.rawReadDirectory((dir / "list").c_str(), files, directories));
    EXPECT_EQ(files.size(), 2u);
    EXPECT_TRUE(contains(files, "a.txt"));
    EXPECT_TRUE(contains(files, "link.txt"));
    ASSERT_EQ(directories.size(), 1u);
    EXPECT_EQ(directories[0], "sub");
    EXPECT_FALSE(reader.rawReadDirectory((dir / "absent").c_str(), files, directories));
}

// A created directory lets its owner write into it and list it.
TEST(FileBasePlaybook, CreatedDirectoryIsWritable) {
    TempDirectory dir;
    DirectoryReader maker;
    ASSERT_TRUE(maker.rawCreateDirectory((dir / "made").c_str()));
    EXPECT_FALSE(maker.rawCreateDirectory((dir / "made").c_str()));
    EXPECT_EQ(access((dir / "made").c_str(), R_OK | W_OK | X_OK), 0);
}
