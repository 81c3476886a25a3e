#include "tests/game/app/GameFixture.h"

#include <Rocket/Core/Context.h>
#include <Rocket/Core/ElementDocument.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "core/locator/ServiceSingleton.h"
#include "core/memory/ZequinAllocation.h"
#include "core/message/OsMessageHandler.h"
#include "core/thread/Jobber.h"
#include "game/app/AppConfig.h"
#include "game/app/ApplicationLoop.h"
#include "game/app/ApplicationShutdown.h"
#include "game/app/PlatformInit.h"
#include "game/manager/GameDataTables.h"
#include "game/manager/GameManager.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/RenderTargetNull.h"
#include "lib/tablet/feed.h"
#include "platform/playbook/TimePlatformPlaybook.h"
#include "tests/game/app/FixturePages.h"
#include "tests/game/support/MissingData.h"
#include "tests/game/support/Walls.h"
#include "tests/support/LogCheck.h"
#include "tools/datawriter/PakWriter.h"
#include "ui/RocketStrings.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace trellin_test {

std::string recordBytes(uint32_t best, uint32_t last, uint32_t distance, uint32_t bestDistance,
                        uint32_t spare) {
    std::string bytes;
    for (uint32_t word : {best, last, distance, bestDistance, spare}) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((word >> (8 * i)) & 0xFF));
        }
    }
    return bytes;
}

void GameTest::SetUp() {
    strings = englishTexts();
    char cwd[4096];
    previousDirectory_ = getcwd(cwd, sizeof(cwd)) != nullptr ? cwd : ".";
    ASSERT_EQ(chdir(files.path().c_str()), 0);
    std::filesystem::create_directories(files / "data");
    if (loadOnSetUp) {
        start();
    }
}

void GameTest::start() {
    boot();
    expectLoadLines();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(applicationLoop());
}

void GameTest::boot() {
    std::vector<trellin::PakMember> members = fixturePages();
    members.push_back(stringTable(GameDataTables::LANGUAGE_TABLES[0].table, strings));
    ASSERT_FALSE(members.back().bytes.empty());
    trellin::Bytes pak;
    std::string error;
    ASSERT_TRUE(trellin::buildPak(members, pak, error)) << error;
    files.write("app/native/trellin.pak", pak);

    // As main starts the game, without the window: the clock's fixed step first.
    TimePlatformPlaybook::setFixedStep(FRAME * 0.5);
    tablet_feed_reset();
    PlatformInit platformInit;
    // The start-up installs the game's console output.
    captureLog();
    RenderTargetNull* target = new (0, ZequinAllocation) RenderTargetNull("NULL", 1024, 600);
    ASSERT_NE(target, nullptr);
    GraphicsSystem::instance_->setCurrentRenderTarget(boost::shared_ptr<RenderTarget>(target));
    OsMessageHandler::instance_->initialise();
    frameCount = 0.0f;
}

void GameTest::expectLoadLines() {
    expectMissingLights();
    expectMissingTextures();
    expectMissingShaderPrograms();
    expectUiShaderLines();
    expectMissingModels();
    expectMissingTrackTiles();
    expectMissingSounds();
    expectMissingMusic();
}

void GameTest::expectUiShaderLines() {
    expectLog("Shader Error: vertex shader does not compile: ");
    expectLog("Shader Error: fragment shader does not compile: ");
}

void GameTest::expectFontsLookedUpBesideThePage() {
    // The page's folder comes first; the fonts lie under the data folder of the root.
    for (const char* font : GameDataTables::FONTS) {
        expectLog(std::string("Rocket Error: Failed to load font face from scripts/Rml/") +
                  GameDataTables::DATA_FOLDER + font + ", could not open file.");
    }
}

void GameTest::TearDown() {
    applicationShutdown();
    // The game never deletes these two.
    Locator::deregisterService<RocketSystem>();
    Locator::deregisterService<Jobber>();
    TimePlatformPlaybook::setFixedStep(0.0);
    tablet_feed_reset();
    EXPECT_EQ(chdir(previousDirectory_.c_str()), 0);
}

void GameTest::turns(int count) {
    for (int i = 0; i < count; ++i) {
        applicationLoop();
    }
}

void GameTest::click(const std::string& id) {
    Rocket::Core::Element* target = element(id);
    ASSERT_NE(target, nullptr) << id;
    target->Click();
}

Rocket::Core::Element* GameTest::element(const std::string& id) const {
    const RocketSystem* ui = RocketSystem::instance_;
    if (ui == nullptr || ui->getDefaultDocument() == nullptr) {
        return nullptr;
    }
    return ui->getDefaultDocument()->GetElementById(id.c_str());
}

std::string GameTest::content(const std::string& id) const {
    Rocket::Core::Element* found = element(id);
    return found != nullptr ? found->GetInnerRML().c_str() : "<none>";
}

std::string GameTest::page() const {
    const RocketSystem* ui = RocketSystem::instance_;
    if (ui == nullptr || ui->getDefaultDocument() == nullptr) {
        return "";
    }
    const std::filesystem::path url(ui->getDefaultDocument()->GetSourceURL().c_str());
    return url.stem().string();
}

std::string GameTest::record() const {
    std::ifstream in(files / "data/save_data", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void GameTest::writeRecord(const std::string& bytes) const { files.write("data/save_data", bytes); }

void GameTest::crash() {
    TileManager& tiles = *SceneManager::instance_->getTileManager();
    clearWalls(tiles);
    addWall(tiles, player().drawPosition);
    SceneManager::instance_->getObjectManager()->laneModeCollisionDetection();
    ASSERT_TRUE(player().dead);
}

void GameTest::crashToRestartPage() {
    crash();
    for (int count = 0; page() != "ludra_restart" && count < 200; ++count) {
        turns(1);
    }
    turns(1);
    ASSERT_EQ(page(), "ludra_restart");
}

GameManager& GameTest::game() const { return *GameManager::instance_; }

AirCraft& GameTest::player() const { return *GameManager::playerAirCraft(); }

}  // namespace trellin_test
