#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/core/file/TempDirectory.h"
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

// On damaged data the game neither crashes nor hangs: it says what is wrong, runs its frames
// with what it could load (showing nothing where a page is missing), and the platform's close
// ends it normally.
TEST(DamagedArchiveTest, TheGameSaysWhatIsWrongAndEndsWhenClosed) {
    const char* const TITLE = "scripts/Rml/ludra_title_screen.rml";
    const struct {
        const char* what;
        trellin::Bytes archive;
        std::vector<std::string> logged;
    } cases[] = {
        {"cut to half",
         cut(fileBytes(BUILT_ARCHIVE).size() / 2),
         {"File Error: the archive ends before this member does (cut short?): "}},
        {"cut to a few bytes",
         cut(12),
         {"File Error: not an archive, or cut short before its directory ends: "
          "app/native/trellin.pak"}},
        {"without the title page",
         repacked([&](const std::filesystem::path& m) { std::filesystem::remove(m / TITLE); }),
         {"Rocket Error: Failed to load document scripts/Rml/ludra_title_screen.rml, could not "
          "open file."}},
        {"a shader that does not compile",
         repacked([](const std::filesystem::path& m) {
             replace(m / "shaders/GLSL/default_shader.frag", "void main() { not glsl }\n");
         }),
         {"Shader Error: fragment shader does not compile: ",
          "Shader Error: no program from shaders/GLSL/default_shader.vert, "
          "shaders/GLSL/default_shader.frag"}},
        {"a page that does not parse",
         repacked([&](const std::filesystem::path& m) {
             replace(m / TITLE, "<rml><body><div id=\"start\" <<< </rml");
         }),
         {"Rocket Error: Failed to parse RML of scripts/Rml/ludra_title_screen.rml"}},
    };
    for (const auto& damaged : cases) {
        SCOPED_TRACE(damaged.what);
        ASSERT_FALSE(damaged.archive.empty());
        GameProcess game;
        // A touch where the start button would be, a few frames, then the close.
        ASSERT_TRUE(
            game.run({"10 touch 0 512 238\n11 release 0 512 238\n"
                      "30 screenshot shots/after.png\n40 close\n",
                      damaged.archive, "en_GB.UTF-8", "", ""}))
            << game.output;
        const std::string log = plain(game.output);
        EXPECT_EQ(game.status, 0) << log;
        for (const std::string& line : damaged.logged) {
            EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
        }
        EXPECT_EQ(log.find("Sanitizer"), std::string::npos) << log;
        EXPECT_EQ(log.find("runtime error"), std::string::npos) << log;
        game.keepScreenshots(std::string("damaged, ") + damaged.what);
    }
}

}  // namespace
}  // namespace trellin_test
