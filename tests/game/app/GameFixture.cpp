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
#include "game/manager/GameManager.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/RenderTargetNull.h"
#include "lib/tablet/feed.h"
#include "platform/playbook/TimePlatformPlaybook.h"
#include "tests/game/support/Walls.h"
#include "tools/datawriter/PakWriter.h"
#include "ui/RocketStrings.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace trellin_test {

namespace {

const char* const FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string document(const std::string& body) {
    return "<rml><head><title>page</title><style>body { font-family: DejaVu Sans; font-size: "
           "20px; } div { display: block; }</style></head>" +
           body + "</rml>";
}

// The four pages with the ids the game fills and the scripts the game's pages run. The title's
// body carries its page name; the HUD is found by its path.
const char* const TITLE =
    "<body id=\"ludra_title_screen\">"
    "<div id=\"latest_score\">-</div><div id=\"best_score\">-</div>"
    "<div id=\"music_toggle\" onclick=\"call music_toggle\">-</div>"
    "<div id=\"bonus_toggle\" onclick=\"call toggle_bonus_distance\">-</div>"
    "<div id=\"start\" onclick=\"call play_sound; call start_game; load_document "
    "ludra_hud.rml\">S_START</div></body>";
const char* const HUD =
    "<body><div id=\"game_score\">0</div>"
    "<div id=\"left\" onclick=\"call player_move_left\">L</div>"
    "<div id=\"right\" onclick=\"call player_move_right\">R</div>"
    "<div id=\"pause\" onclick=\"ludra_pause.rml\">P</div></body>";
const char* const PAUSE =
    "<body id=\"ludra_pause\" onpostload=\"call pause_game\">"
    "<div id=\"resume\" onclick=\"call play_sound; call resume_game; load_document "
    "ludra_hud.rml\">S_RESTART</div>"
    "<div id=\"quit\" onclick=\"call play_sound; call kill_game; load_document "
    "ludra_title_screen.rml\">S_MAIN_MENU</div></body>";
const char* const RESTART =
    "<body id=\"ludra_restart\" onpostload=\"call submit_score\">"
    "<div id=\"current_score\">-</div><div id=\"best_score\">-</div>"
    "<div id=\"again\" onclick=\"call play_sound; call restart_game; load_document "
    "ludra_hud.rml\">S_RESTART</div>"
    "<div id=\"quit\" onclick=\"call play_sound; call kill_game; load_document "
    "ludra_title_screen.rml\">S_MAIN_MENU</div></body>";

trellin::Bytes fileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return trellin::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

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
    strings = {{"S_START", "Start"}, {"S_MUSIC", "Music"},        {"S_ON", "On"},
               {"S_OFF", "Off"},     {"S_RESTART", "Play again"}, {"S_MAIN_MENU", "Menu"}};
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
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(applicationLoop());
}

void GameTest::boot() {
    trellin::Bytes table;
    std::string error;
    ASSERT_TRUE(trellin::buildStringTable(strings, table, error)) << error;
    const trellin::Bytes font = fileBytes(FONT);
    ASSERT_FALSE(font.empty());
    std::vector<trellin::PakMember> members = {
        {"scripts/Rml/ludra_title_screen.rml", bytesOf(document(TITLE))},
        {"scripts/Rml/ludra_hud.rml", bytesOf(document(HUD))},
        {"scripts/Rml/ludra_pause.rml", bytesOf(document(PAUSE))},
        {"scripts/Rml/ludra_restart.rml", bytesOf(document(RESTART))},
        {"scripts/Rml/Locale/strings_english.bin", table},
        {"Data/Android/Fonts/pirulen rg.ttf", font},
        {"Data/Android/Fonts/zequin_EFIGS_0.ttf", font},
    };
    trellin::Bytes pak;
    ASSERT_TRUE(trellin::buildPak(members, pak, error)) << error;
    files.write("app/native/trellin.pak", pak);

    // As main starts the game, without the window: the clock's fixed step first.
    TimePlatformPlaybook::setFixedStep(FRAME * 0.5);
    tablet_feed_reset();
    PlatformInit platformInit;
    RenderTargetNull* target = new (0, ZequinAllocation) RenderTargetNull("NULL", 1024, 600);
    ASSERT_NE(target, nullptr);
    GraphicsSystem::instance_->setCurrentRenderTarget(boost::shared_ptr<RenderTarget>(target));
    OsMessageHandler::instance_->initialise();
    frameCount = 0.0f;
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

GameManager& GameTest::game() const { return *GameManager::instance_; }

AirCraft& GameTest::player() const { return *GameManager::playerAirCraft(); }

}  // namespace trellin_test
