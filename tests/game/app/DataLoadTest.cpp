#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>

#include "core/locator/ServiceSingleton.h"
#include "core/log/Logger.h"
#include "game/app/ApplicationLoop.h"
#include "game/manager/GameDataTables.h"
#include "game/manager/GameManager.h"
#include "game/sound/GameSoundManager.h"
#include "graphics/shader/ShaderCache.h"
#include "tests/core/log/CapturedOutput.h"
#include "tests/game/app/GameFixture.h"
#include "tests/game/support/MissingData.h"
#include "tests/support/LogCheck.h"

using namespace orvo;

namespace {

// How many of the text's lines end with line.
std::size_t linesEndingWith(const std::string& text, const std::string& line) {
    std::size_t count = 0;
    for (std::size_t at = text.find(line + "\n"); at != std::string::npos;
         at = text.find(line + "\n", at + 1)) {
        ++count;
    }
    return count;
}

class DataLoadTest : public trellin_test::GameTest {
protected:
    DataLoadTest() { loadOnSetUp = false; }
};

// Loading the data again after it was destroyed keeps one updater per uniform.
TEST_F(DataLoadTest, ALoadAfterADestroyDoesNotGrowTheUpdaterRegistry) {
    start();
    ASSERT_NE(ShaderCache::instance_, nullptr);
    const std::size_t registered = ShaderCache::instance_->getRegistry().size();
    game().destroyGameData();
    trellin_test::expectMissingLights();
    trellin_test::expectMissingTextures();
    trellin_test::expectMissingShaderPrograms();
    trellin_test::expectMissingSounds();
    expectFontsLookedUpBesideThePage();
    game().loadGameData();
    EXPECT_TRUE(game().initialised);
    EXPECT_EQ(ShaderCache::instance_->getRegistry().size(), registered);
}

// Without the updaters nothing would draw right: the load says so and stops, and the loop
// runs no frame of a game that is not there.
TEST_F(DataLoadTest, ALoadWhoseUpdatersCannotBeRegisteredSaysSoAndStops) {
    boot();
    trellin_test::expectLog("Game Error: the shader parameter updaters cannot be registered");
    Locator::deregisterService<ShaderCache>();
    EXPECT_FALSE(applicationLoop());
    EXPECT_FALSE(game().initialised);
    EXPECT_NE(std::string(ZqLog.getLine()).find("shader parameter updaters"), std::string::npos)
        << ZqLog.getLine();
    EXPECT_FALSE(applicationLoop());
    // The process ends with a status that says the game did not come up.
    EXPECT_NE(applicationExitStatus(), EXIT_SUCCESS);
}

// The fixture's archive holds pages, strings and fonts only: each piece of the game it lacks is
// named in one line, and the string table it has in none. A track that cannot be played is
// named the first time only, however often it is asked for.
TEST_F(DataLoadTest, EachPieceTheArchiveLacksIsNamedOnce) {
    boot();
    expectLoadLines();
    std::string console;
    trellin_test::copyLog(&console);
    ASSERT_TRUE(applicationLoop());
    GameSoundManager::instance_->playMusic(GameSoundManager::INGAME_MUSIC, false);
    GameSoundManager::instance_->playMusic(GameSoundManager::INGAME_MUSIC, false);
    trellin_test::copyLog(nullptr);
    EXPECT_EQ(applicationExitStatus(), EXIT_SUCCESS);

    using namespace GameDataTables;
    const std::string data = DATA_FOLDER;
    const std::string named[] = {
        "Game Error: no lights from " + data + LIGHT_FILE + ".objects",
        "Game Error: no textures from " + data + TEXTURE_GROUPS[0].folder,
        "Game Error: no textures from " + data + std::end(TEXTURE_GROUPS)[-1].folder,
        "Game Error: no model in " + data + SKY_MODEL.folder,
        "Game Error: no model in " + data + SHIP_MODEL.folder,
        "Game Error: no track tiles in " + data + TILE_SET.folder,
        "Game Error: no sound from " + data + SOUND_FOLDER + SOUNDS[0] + ".wav",
        "Game Error: no sound from " + data + SOUND_FOLDER + std::end(SOUNDS)[-1] + ".wav",
        std::string("Game Error: no music from ") + TITLE_MUSIC_FILE,
        std::string("Game Error: no music from ") + INGAME_MUSIC_FILE,
    };
    const std::string log = withoutColours(console);
    for (const std::string& line : named) {
        EXPECT_EQ(linesEndingWith(log, line), 1u) << line << "\n" << log;
    }
    EXPECT_EQ(log.find("string table"), std::string::npos) << log;
}

}  // namespace
