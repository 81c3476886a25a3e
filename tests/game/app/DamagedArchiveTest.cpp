#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "game/manager/GameDataTables.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/core/log/CapturedOutput.h"
#include "tests/game/app/GameProcess.h"
#include "tools/pak/PakTool.h"

namespace trellin_test {
namespace {

const char* const BUILT_ARCHIVE = TRELLIN_RUN_FOLDER "/app/native/trellin.pak";

trellin::Bytes fileBytes(const std::string& path) {
    trellin::Bytes bytes;
    std::string error;
    trellin::readFileBytes(path, bytes, error);
    return bytes;
}

// The built archive cut to its first size bytes.
trellin::Bytes cut(std::size_t size) {
    trellin::Bytes bytes = fileBytes(BUILT_ARCHIVE);
    bytes.resize(size < bytes.size() ? size : bytes.size());
    return bytes;
}

// The built archive unpacked, its members changed by edit (given the folder they are in),
// and packed again.
trellin::Bytes repacked(const std::function<void(const std::filesystem::path&)>& edit) {
    TempDirectory work;
    trellin::PakTool tool(stdout, stderr);
    const std::filesystem::path members = work / "members";
    if (tool.extract(BUILT_ARCHIVE, members.string()) != 0) {
        ADD_FAILURE() << "cannot unpack " << BUILT_ARCHIVE;
        return {};
    }
    edit(members);
    if (tool.create(work / "damaged.pak", members.string()) != 0) {
        ADD_FAILURE() << "cannot pack the damaged archive";
        return {};
    }
    return fileBytes(work / "damaged.pak");
}

void replace(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// A log line and how many times it must appear.
struct Said {
    std::string line;
    std::size_t times;
};

// On damaged data the game neither crashes nor hangs: it says what is wrong, once, runs its
// frames with what it could load (showing nothing where a page is missing), and the platform's
// close ends it normally.
TEST(DamagedArchiveTest, TheGameSaysWhatIsWrongOnceAndEndsWhenClosed) {
    const std::string TITLE = GameDataTables::TITLE_PAGE.document;
    const std::string ENGLISH = GameDataTables::LANGUAGE_TABLES[0].table;
    const std::string SHADER = GameDataTables::SHADER_FOLDER;
    const GameDataTables::Program& program = GameDataTables::PROGRAMS[0];
    const std::string noStrings =
        "Game Error: no string table (every text shows its key): " + ENGLISH;
    const struct {
        const char* what;
        trellin::Bytes archive;
        std::vector<Said> said;
    } cases[] = {
        {"cut to half",
         cut(fileBytes(BUILT_ARCHIVE).size() / 2),
         {{"File Error: the archive ends before this member does (cut short?): " + TITLE, 1}}},
        {"without the English string table",
         repacked([&](const std::filesystem::path& m) { std::filesystem::remove(m / ENGLISH); }),
         {{noStrings, 1}, {"Error", 1}}},
        {"without the title page",
         repacked([&](const std::filesystem::path& m) { std::filesystem::remove(m / TITLE); }),
         {{"Rocket Error: Failed to load document " + TITLE + ", could not open file.", 1}}},
        {"a shader that does not compile",
         repacked([&](const std::filesystem::path& m) {
             replace(m / (SHADER + program.fragment), "void main() { not glsl }\n");
         }),
         {{"Shader Error: fragment shader does not compile: ", 1},
          {"Shader Error: no program from " + SHADER + program.vertex + ", " + SHADER +
               program.fragment,
           1}}},
        {"a page that does not parse",
         repacked([&](const std::filesystem::path& m) {
             replace(m / TITLE, "<rml><body><div id=\"start\" <<< </rml");
         }),
         {{"Rocket Error: Failed to parse RML of " + TITLE, 1}}},
    };
    for (const auto& damaged : cases) {
        SCOPED_TRACE(damaged.what);
        ASSERT_FALSE(damaged.archive.empty());
        GameProcess game;
        // A touch where the start button would be, a few frames, then the close.
        GameProcess::Options options{
            "10 touch 0 512 238\n11 release 0 512 238\n"
            "30 screenshot shots/after.png\n40 close\n",
            damaged.archive, "en_GB.UTF-8", "", ""};
        ASSERT_TRUE(game.run(options)) << game.output;
        const std::string log = orvo::withoutColours(game.output);
        EXPECT_EQ(game.status, 0) << log;
        for (const Said& said : damaged.said) {
            EXPECT_EQ(linesWith(log, said.line).size(), said.times) << said.line << "\n" << log;
        }
        EXPECT_EQ(log.find("Sanitizer"), std::string::npos) << log;
        EXPECT_EQ(log.find("runtime error"), std::string::npos) << log;
        game.keepScreenshots(std::string("damaged, ") + damaged.what);
    }
}

// Without an archive it can open, the game has nothing to show (started from another folder,
// say): the archive's line is all it says, it writes nothing in its folder, and it ends with
// status 1 at once, before its window opens. "<folder>" stands for its working folder.
TEST(DamagedArchiveTest, WithoutAnArchiveItCanOpenTheGameSaysSoAloneAndEndsAtOnce) {
    const struct {
        const char* what;
        trellin::Bytes archive;  // none when empty
        bool pipe;               // a named pipe in the archive's place
        const char* line;        // how the one line begins
    } cases[] = {
        {"missing",
         {},
         false,
         "File Error: the archive cannot be opened (was the game started from another folder?): "
         "app/native/trellin.pak, looked for in <folder>"},
        {"a named pipe", {}, true, "File Error: the archive cannot be opened"},
        {"cut to a few bytes", cut(12), false,
         "File Error: not an archive, or cut short before its directory ends: "
         "app/native/trellin.pak"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GameProcess game;
        GameProcess::Options options{"10 touch 0 512 238\n11 release 0 512 238\n40 close\n",
                                     c.archive, "en_GB.UTF-8", "", ""};
        options.noArchive = c.archive.empty();
        // A folder the game was never run in.
        options.arrange = [&c](const std::string& folder) {
            std::filesystem::remove_all(folder + "/data");
            if (c.pipe) {
                ASSERT_EQ(mkfifo((folder + "/app/native/trellin.pak").c_str(), 0644), 0);
            }
        };
        ASSERT_TRUE(game.run(options)) << game.output;
        EXPECT_EQ(game.status, 1) << game.output;

        std::string line = c.line;
        const std::size_t at = line.find("<folder>");
        if (at != std::string::npos) {
            line.replace(at, 8, std::filesystem::canonical(game.path(".")).string());
        }
        const std::string log = orvo::withoutColours(game.output);
        EXPECT_EQ(log.rfind(line, 0), 0u) << log;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;

        // What the test put there, and the game's output; no data folder, record, lock or
        // window trace.
        std::set<std::string> entries;
        for (const auto& entry : std::filesystem::directory_iterator(game.path("."))) {
            entries.insert(entry.path().filename().string());
        }
        EXPECT_EQ(entries, (std::set<std::string>{"app", "output.txt", "session.txt", "shots"}));
    }
}

}  // namespace
}  // namespace trellin_test
