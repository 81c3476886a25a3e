#include "tools/world/HeadlessWorld.h"

#include "audio/AudioSystem.h"
#include "audio/SoundHandler.h"
#include "core/locator/ServiceSingleton.h"
#include "core/memory/ZequinAllocation.h"
#include "game/input/InputRegister.h"
#include "game/manager/GameManager.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "game/sound/GameSoundManager.h"
#include "game/time/TimeManager.h"
#include "game/track/TileManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/RenderTargetNull.h"
#include "graphics/material/MaterialManager.h"
#include "input/PeripheralSystem.h"
#include "lib/tablet/feed.h"
#include "platform/playbook/TimePlatformPlaybook.h"

using namespace orvo;

HeadlessWorld::HeadlessWorld(double frameStep, Drawing drawing) {
    // The clock is read twice a frame (its start and its end): each reading is half a frame.
    TimePlatformPlaybook::setFixedStep(frameStep * 0.5);
    tablet_feed_reset();

    Locator::registerService<PeripheralSystem>("PeripheralSystem");
    GraphicsSystem* graphics = Locator::registerService<GraphicsSystem>("GraphicsSystem");
    if (graphics != nullptr && drawing == GL_TARGET) {
        graphics->startDisplay(WIDTH, HEIGHT);
    } else if (graphics != nullptr) {
        RenderTargetNull* target =
            new (0, ZequinAllocation) RenderTargetNull("NULL", WIDTH, HEIGHT);
        if (target != nullptr) {
            graphics->setCurrentRenderTarget(boost::shared_ptr<RenderTarget>(target));
        }
    }
    Locator::registerService<MaterialManager>("MaterialManager");
    Locator::registerService<AudioSystem>("AudioSystem");
    Locator::registerService<SoundHandler>("SoundHandler");
    Locator::registerService<GameManager>("GameManager");
    Locator::registerService<GameSoundManager>("GameSoundManager");
    Locator::registerService<TimeManager>("TimeManager");
    Locator::registerService<SceneManager>("SceneManager");

    InputRegister::registerInputs();
    SceneManager::instance_->initialise();
    GameManager& manager = *GameManager::instance_;
    manager.gameDataLoaded = true;
    manager.initialised = true;
    manager.onTitle = true;
    manager.gameRunning = false;
    manager.loadData();
    GameSoundManager::instance_->initialise();
}

HeadlessWorld::~HeadlessWorld() {
    if (SceneManager::instance_ != nullptr) {
        SceneManager::instance_->destroy();
    }
    Locator::deregisterService<GameManager>();
    Locator::deregisterService<GameSoundManager>();
    Locator::deregisterService<SceneManager>();
    Locator::deregisterService<TimeManager>();
    Locator::deregisterService<SoundHandler>();
    Locator::deregisterService<AudioSystem>();
    Locator::deregisterService<MaterialManager>();
    Locator::deregisterService<GraphicsSystem>();
    Locator::deregisterService<PeripheralSystem>();
    tablet_feed_reset();
    TimePlatformPlaybook::setFixedStep(0.0);
}

void HeadlessWorld::startRun() { GameManager::instance_->startGame(); }

void HeadlessWorld::frame() { GameManager::instance_->update(); }

GameManager& HeadlessWorld::game() const { return *GameManager::instance_; }

SceneManager& HeadlessWorld::scene() const { return *SceneManager::instance_; }

TileManager& HeadlessWorld::tiles() const { return *SceneManager::instance_->getTileManager(); }

ObjectManager& HeadlessWorld::objects() const {
    return *SceneManager::instance_->getObjectManager();
}

AirCraft& HeadlessWorld::player() const { return *objects().getPlayerAirCraft(); }
