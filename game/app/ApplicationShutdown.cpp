#include "game/app/ApplicationShutdown.h"

#include "core/file/FileBase.h"
#include "core/memory/MemoryManager.h"
#include "game/app/PlatformInit.h"
#include "game/app/Services.h"
#include "game/manager/GameManager.h"
#include "game/scene/SceneManager.h"
#include "graphics/texture/TextureManager.h"
#include "ui/RocketSystem.h"

using namespace orvo;

void applicationShutdown() {
    GameManager* game = GameManager::instance_;
    // Before the data are loaded the craft holds no results yet: saving then would write
    // zeros over the record.
    if (game != nullptr && game->initialised && GameManager::playerAirCraft() != nullptr) {
        game->saveData();
    }
    if (SceneManager::instance_ != nullptr) {
        SceneManager::instance_->destroy();
    }
    if (game != nullptr) {
        game->destroyGameData();
    }
    if (RocketSystem* ui = RocketSystem::instance_) {
        ui->closeCurrentDocuments();
        ui->shutdown();
    }
    // The built-in textures go while their GL context is still there; the graphics service
    // takes the context with it before the texture service is deleted.
    if (TextureManager::instance_ != nullptr) {
        TextureManager::instance_->uninitialise();
    }
    FileBase::closePakFile();
    endAudio();
    deregisterServices();
    if (MemoryManager* memory = MemoryManager::instance()) {
        memory->printStatus();
    }
}
