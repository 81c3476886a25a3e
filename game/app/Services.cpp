#include "game/app/Services.h"

#include "audio/AudioSystem.h"
#include "audio/SoundHandler.h"
#include "core/database/ComponentDatabase.h"
#include "core/database/EntityDatabase.h"
#include "core/locator/ServiceSingleton.h"
#include "core/message/MessageSystem.h"
#include "core/message/OsMessageHandler.h"
#include "core/strings/ZqStringTable.h"
#include "core/thread/Jobber.h"
#include "game/manager/GameManager.h"
#include "game/scene/SceneManager.h"
#include "game/sound/GameSoundManager.h"
#include "game/store/ProductStore.h"
#include "game/time/TimeManager.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/material/MaterialManager.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureManager.h"
#include "input/PeripheralSystem.h"
#include "ui/RocketSystem.h"
#include "ui/script/ScriptSystem.h"

using namespace orvo;

void registerServices() {
    Locator::registerService<PeripheralSystem>("PeripheralSystem");
    Locator::registerService<Jobber>("Jobber");
    Locator::registerService<ShaderCache>("ShaderCache");
    if (ShaderManager* shaders = Locator::registerService<ShaderManager>("ShaderManager")) {
        shaders->initialise();
    }
    Locator::registerService<GraphicsSystem>("GraphicsSystem");
    Locator::registerService<MaterialManager>("MaterialManager");
    Locator::registerService<TextureManager>("TextureManager");
    Locator::registerService<MessageSystem>("MessageSystem");
    Locator::registerService<ProductStore>("ProductStore");
    Locator::registerService<AudioSystem>("AudioSystem");
    Locator::registerService<SoundHandler>("SoundHandler");
    Locator::registerService<EntityDatabase>("EntityDatabase");
    Locator::registerService<ComponentDatabase>("ComponentDatabase");
    Locator::registerService<ScriptSystem>("ScriptSystem");
    Locator::registerService<ZqStringTable>("ZqStringTable");
    Locator::registerService<OsMessageHandler>("OsMessageHandler");
    Locator::registerService<RocketSystem>("RocketSystem");
    Locator::registerService<GameManager>("GameManager");
    Locator::registerService<GameSoundManager>("GameSoundManager");
    Locator::registerService<TimeManager>("TimeManager");
    Locator::registerService<SceneManager>("SceneManager");
}

void deregisterServices() {
    Locator::deregisterService<ProductStore>();
    Locator::deregisterService<GameManager>();
    Locator::deregisterService<GameSoundManager>();
    Locator::deregisterService<SceneManager>();
    Locator::deregisterService<ScriptSystem>();
    Locator::deregisterService<TimeManager>();
    Locator::deregisterService<ZqStringTable>();
    Locator::deregisterService<SoundHandler>();
    Locator::deregisterService<AudioSystem>();
    Locator::deregisterService<OsMessageHandler>();
    Locator::deregisterService<ComponentDatabase>();
    Locator::deregisterService<EntityDatabase>();
    Locator::deregisterService<MaterialManager>();
    Locator::deregisterService<GraphicsSystem>();
    Locator::deregisterService<ShaderCache>();
    Locator::deregisterService<ShaderManager>();
    Locator::deregisterService<TextureManager>();
    Locator::deregisterService<MessageSystem>();
    Locator::deregisterService<PeripheralSystem>();
}
