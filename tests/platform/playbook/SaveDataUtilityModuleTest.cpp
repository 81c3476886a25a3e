#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/playbook/SaveDataUtilityModulePlaybook.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/core/log/CapturedOutput.h"
#include "tests/platform/playbook/FileCallFaults.h"
#include "tests/platform/playbook/WorkingDirectory.h"
#include "tests/support/LogCheck.h"

namespace {

using orvo::SaveDataUtilityModulePlaybook;

// Empty when there is no such file (or a folder in its place).
std::vector<unsigned char> fileBytes(const std::string& path) {
    if (!std::filesystem::is_regular_file(path)) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

bool exists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0;
}

class SaveDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(here.path().empty());
        ASSERT_EQ(mkdir("data", 0700), 0);
    }

    WorkingDirectory here;
    SaveDataUtilityModulePlaybook module;
};

TEST_F(SaveDataTest, RecordIsWrittenAndReadBackWhole) {
    EXPECT_EQ(module.getModuleId(), orvo::SAVE_DATA_MODULE);
    EXPECT_FALSE(module.saveGameExists());
    unsigned char record[20];
    for (unsigned i = 0; i < sizeof record; ++i) {
        record[i] = static_cast<unsigned char>(0xA0 + i);
    }
    module.saveGameData(record, sizeof record);
    EXPECT_TRUE(module.saveGameExists());
    EXPECT_EQ(fileBytes("data/save_data"), std::vector<unsigned char>(record, record + 20));
    EXPECT_FALSE(exists(SaveDataUtilityModulePlaybook::TEMPORARY_PATH));

    unsigned char loaded[20] = {};
    module.loadGameData(loaded, sizeof loaded);
    EXPECT_EQ(std::vector<unsigned char>(loaded, loaded + 20),
              std::vector<unsigned char>(record, record + 20));

    // A shorter record replaces the old one entirely.
    module.saveGameData(record, 4);
    EXPECT_EQ(fileBytes("data/save_data").size(), 4u);
}

TEST_F(SaveDataTest, MissingRecordLeavesTheBlockUntouched) {
    unsigned char block[20];
    std::fill(block, block + 20, 0x5A);
    module.loadGameData(block, sizeof block);
    EXPECT_EQ(std::vector<unsigned char>(block, block + 20), std::vector<unsigned char>(20, 0x5A));
    EXPECT_FALSE(module.saveGameExists());
}

TEST_F(SaveDataTest, ShortRecordFillsOnlyTheStart) {
    const unsigned char shortRecord[3] = {1, 2, 3};
    module.saveGameData(shortRecord, 3);
    unsigned char block[6] = {9, 9, 9, 9, 9, 9};
    module.loadGameData(block, sizeof block);
    EXPECT_EQ(std::vector<unsigned char>(block, block + 6),
              (std::vector<unsigned char>{1, 2, 3, 9, 9, 9}));
}

TEST_F(SaveDataTest, AStaleTemporaryFileIsReplaced) {
    const unsigned char record[4] = {1, 2, 3, 4};
    module.saveGameData(record, 4);
    // A write that was cut short earlier left its temporary file behind.
    std::FILE* stale = std::fopen(SaveDataUtilityModulePlaybook::TEMPORARY_PATH, "wb");
    ASSERT_NE(stale, nullptr);
    std::fputs("partial", stale);
    std::fclose(stale);
    const unsigned char newer[4] = {5, 6, 7, 8};
    module.saveGameData(newer, 4);
    EXPECT_EQ(fileBytes("data/save_data"), std::vector<unsigned char>(newer, newer + 4));
    EXPECT_FALSE(exists(SaveDataUtilityModulePlaybook::TEMPORARY_PATH));
}

TEST_F(SaveDataTest, OneGameAtATimeHoldsTheFoldersRecord) {
    trellin_test::expectLog(
        "File Error: another game is running in this folder and keeps its record: "
        "data/save_data.lock");
    {
        SaveDataUtilityModulePlaybook first;
        ASSERT_TRUE(first.lockRecord());
        ASSERT_TRUE(first.lockRecord());  // taken once, held on
        EXPECT_FALSE(module.lockRecord());
    }
    // The lock goes with its module.
    EXPECT_TRUE(SaveDataUtilityModulePlaybook().lockRecord());
}

// The game's use of its record, in each state a folder can be in: the game takes the lock,
// loads the record when there is one and saves twice. It runs in a child process as an
// ordinary user (uid 65534 when the tests run as root, for whom file modes mean nothing).
const std::vector<unsigned char> OLD = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0};
const std::vector<unsigned char> NEW(20, 0xEE);
const char* const OUTSIDE = "outside the folder";

// What the child's own file calls do wrong (see FileCallFaults).
enum class Fault { NONE, LINK_AFTER_UNLINK, FSYNC_FAILS };

struct RecordCase {
    const char* name;
    // In the game's folder, which holds data/save_data = OLD, owned by the player.
    void (*prepare)(const std::string& folder);
    bool secondGame;                    // a first game holds the folder's lock
    rlim_t fileSizeLimit;               // RLIM_INFINITY: none
    std::vector<unsigned char> record;  // afterwards; empty: there is none
    std::vector<const char*> logged;    // each in one line logged, in order
    Fault fault = Fault::NONE;
};

void removeRecord(const std::string& folder) { unlink((folder + "/data/save_data").c_str()); }

// A file the player may write beside the folder "data", so that a write through a link at the
// temporary name would land.
void makeOutside(const std::string& folder) {
    const std::string outside = folder + "/outside";
    std::ofstream(outside) << OUTSIDE;
    struct stat owner;
    stat(folder.c_str(), &owner);
    [[maybe_unused]] const int owned = chown(outside.c_str(), owner.st_uid, owner.st_gid);
}

const RecordCase RECORD_CASES[] = {
    {"no record", removeRecord, false, RLIM_INFINITY, NEW, {}},
    {"a record nobody may read, another user's",
     [](const std::string& folder) {
         const std::string record = folder + "/data/save_data";
         chmod(record.c_str(), 0);
         [[maybe_unused]] const int owned = chown(record.c_str(), 0, 0);  // as root only
     },
     false, RLIM_INFINITY, OLD, {"data/save_data (Permission denied)"}},
    // It opens, but cannot be read.
    {"a folder at the record's name",
     [](const std::string& folder) {
         removeRecord(folder);
         mkdir((folder + "/data/save_data").c_str(), 0755);
     },
     false, RLIM_INFINITY, {}, {"data/save_data (Is a directory)"}},
    // No reader or writer ever comes: it reads as an empty record, and the save in its
    // place fails.
    {"a pipe at the record's name, in a read-only folder",
     [](const std::string& folder) {
         removeRecord(folder);
         const std::string record = folder + "/data/save_data";
         mkfifo(record.c_str(), 0666);
         chmod(record.c_str(), 0666);  // whatever the umask
         chmod((folder + "/data").c_str(), 0555);
     },
     false, RLIM_INFINITY, {},
     {"data/save_data.lock (Permission denied)", "data/save_data (No such device or address)"}},
    {"a link at the temporary name",
     [](const std::string& folder) {
         makeOutside(folder);
         symlink("../outside", (folder + "/data/save_data.tmp").c_str());
     },
     false, RLIM_INFINITY, NEW, {}},
    // Between its removal and its creation: the temporary file is only ever a new one.
    {"a hard link made at the temporary name once it was removed", makeOutside, false,
     RLIM_INFINITY, NEW, {}, Fault::LINK_AFTER_UNLINK},
    {"a folder in the temporary file's place",
     [](const std::string& folder) { mkdir((folder + "/data/save_data.tmp").c_str(), 0700); },
     false, RLIM_INFINITY, NEW, {}},
    // No lock file can be made there either.
    {"a read-only folder",
     [](const std::string& folder) { chmod((folder + "/data").c_str(), 0555); }, false,
     RLIM_INFINITY, NEW, {"data/save_data.lock (Permission denied)"}},
    // Written in place, the record is cut to the new one's length.
    {"a read-only folder with an older, longer record",
     [](const std::string& folder) {
         std::ofstream(folder + "/data/save_data", std::ios::binary | std::ios::app)
             << "and an older tail";
         chmod((folder + "/data").c_str(), 0555);
     },
     false, RLIM_INFINITY, NEW, {"data/save_data.lock (Permission denied)"}},
    {"a read-only folder without a record",
     [](const std::string& folder) {
         removeRecord(folder);
         chmod((folder + "/data").c_str(), 0555);
     },
     false, RLIM_INFINITY, {},
     {"data/save_data.lock (Permission denied)", "data/save_data (Permission denied)"}},
    {"no data folder",
     [](const std::string& folder) { std::filesystem::remove_all(folder + "/data"); }, false,
     RLIM_INFINITY, NEW, {}},
    // The lock line names why there is no folder for it, as the save's line does.
    {"no data folder, in a read-only folder",
     [](const std::string& folder) {
         std::filesystem::remove_all(folder + "/data");
         chmod(folder.c_str(), 0555);
     },
     false, RLIM_INFINITY, {},
     {"data/save_data.lock (Permission denied)", ": data (Permission denied)"}},
    {"a second game in the folder", [](const std::string&) {}, true, RLIM_INFINITY, OLD,
     {"another game is running in this folder"}},
    {"a write cut short by the file size limit", [](const std::string&) {}, false, 10, OLD,
     {"data/save_data.tmp (File too large)"}},
    // Only a block known to be on the disk replaces the record.
    {"a flush that fails", [](const std::string&) {}, false, RLIM_INFINITY, OLD,
     {"data/save_data.tmp (Input/output error)"}, Fault::FSYNC_FAILS},
};

// The exit status of the child: 0 when it held the lock, 1 when not, 77 when it could not
// become an ordinary user.
// The log goes to a pipe, which no file size limit touches.
[[noreturn]] void playWithRecord(const std::string& folder, const RecordCase& c, uid_t player,
                                 int log) {
    if (dup2(log, 1) < 0) {
        std::_Exit(76);
    }
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(player, player, player) != 0 ||
                           setresuid(player, player, player) != 0)) {
        std::_Exit(77);
    }
    if (c.fileSizeLimit != RLIM_INFINITY) {
        const rlimit limit = {c.fileSizeLimit, c.fileSizeLimit};
        signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (chdir(folder.c_str()) != 0) {
        std::_Exit(75);
    }
    if (c.fault == Fault::LINK_AFTER_UNLINK) {
        trellin_test::FileCallFaults::linkTarget = "outside";
        trellin_test::FileCallFaults::linkAfterUnlink =
            SaveDataUtilityModulePlaybook::TEMPORARY_PATH;
    }
    trellin_test::FileCallFaults::fsyncFails = c.fault == Fault::FSYNC_FAILS;
    int status = 0;
    {
        SaveDataUtilityModulePlaybook module;
        status = module.lockRecord() ? 0 : 1;
        unsigned char block[20] = {};
        if (module.saveGameExists()) {
            module.loadGameData(block, sizeof block);
        }
        module.saveGameData(NEW.data(), 20);
        module.saveGameData(NEW.data(), 20);
    }
    std::fflush(stdout);
    std::_Exit(status);
}

TEST(SaveRecordCasesTest, TheRecordIsReplacedOnlyBySavesThatCanComplete) {
    const uid_t player = geteuid() == 0 ? 65534 : geteuid();
    for (const RecordCase& c : RECORD_CASES) {
        SCOPED_TRACE(c.name);
        trellin_test::TempDirectory folder;
        folder.write("data/save_data", trellin::Bytes(OLD.begin(), OLD.end()));
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
            ASSERT_EQ(lchown(entry.path().c_str(), player, player), 0);
        }
        ASSERT_EQ(chown(folder.path().c_str(), player, player), 0);
        c.prepare(folder.path());
        int firstGame = -1;
        if (c.secondGame) {
            firstGame = open((folder / "data/save_data.lock").c_str(), O_RDWR | O_CREAT, 0644);
            ASSERT_EQ(flock(firstGame, LOCK_EX), 0);
        }

        int log[2];
        ASSERT_EQ(pipe(log), 0);
        std::fflush(stdout);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(log[0]);
            playWithRecord(folder.path(), c, player, log[1]);
        }
        close(log[1]);
        std::string output;
        char buffer[512];
        for (ssize_t got; (got = read(log[0], buffer, sizeof buffer)) > 0;) {
            output.append(buffer, static_cast<std::size_t>(got));
        }
        close(log[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (firstGame >= 0) {
            close(firstGame);
        }
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 77) {
            GTEST_SKIP() << "cannot run as an ordinary user (uid " << player << ")";
        }
        EXPECT_EQ(WEXITSTATUS(status), c.secondGame ? 1 : 0);

        chmod(folder.path().c_str(), 0700);
        chmod((folder / "data").c_str(), 0700);
        chmod((folder / "data/save_data").c_str(), 0600);
        EXPECT_EQ(fileBytes(folder / "data/save_data"), c.record);
        // Nothing is left at the temporary name but what cannot be removed.
        const auto left = std::filesystem::symlink_status(folder / "data/save_data.tmp").type();
        EXPECT_TRUE(left == std::filesystem::file_type::not_found ||
                    left == std::filesystem::file_type::directory);
        if (exists((folder / "outside").c_str())) {
            const std::vector<unsigned char> outside = fileBytes(folder / "outside");
            EXPECT_EQ(std::string(outside.begin(), outside.end()), OUTSIDE);
        }
        std::istringstream in(orvo::withoutColours(output));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            if (line.find("Error: ") != std::string::npos) {
                lines.push_back(line);
            }
        }
        EXPECT_EQ(lines.size(), c.logged.size()) << output;
        for (std::size_t i = 0; i < std::min(lines.size(), c.logged.size()); ++i) {
            EXPECT_NE(lines[i].find(c.logged[i]), std::string::npos) << lines[i];
        }
    }
}

}  // namespace
