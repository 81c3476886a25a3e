#include "game/app/PlatformInit.h"

#include <boost/shared_ptr.hpp>

#include "audio/AudioOutputOpenAl.h"
#include "audio/AudioSystem.h"
#include "audio/SoundLibraries.h"
#include "core/file/FileBase.h"
#include "core/log/ErrorLine.h"
#include "core/log/Logger.h"
#include "core/log/LoggerOutputPlaybook.h"
#include "core/memory/ZequinAllocation.h"
#include "game/app/AppConfig.h"
#include "game/app/Services.h"
#include "graphics/GraphicsSystem.h"
#include "platform/playbook/PlatformInterface.h"
#include "platform/playbook/QnxWindow.h"
#include "platform/playbook/SaveDataUtilityModulePlaybook.h"
#include "platform/playbook/SystemEventHandlerModulePlaybook.h"
#include "ui/script/ScriptValueStore.h"

using namespace orvo;

namespace {

const char* const PAK_ROOT = "app/native/trellin.pak";
const char* const LOOSE_ROOT = "app/native/TrellinData";
const Logger::LogLevel SHIPPED_LOG_LEVEL = 5;
const unsigned int AUDIO_BUFFER_LENGTH = 4096;
const unsigned int AUDIO_SAMPLE_RATE = 22050;

template <class Module>
void addModule(PlatformInterface& platform) {
    Module* module = new (0, ZequinAllocation) Module();
    if (module != nullptr) {
        platform.addModule(boost::shared_ptr<PlatformModule>(module));
    }
}

}  // namespace

PlatformInit::PlatformInit() {
    registerServices();
    LoggerOutputPlaybook* output = new (10, ZequinAllocation) LoggerOutputPlaybook();
    if (output != nullptr) {
        ZqLog.setOutputFunctor(output);
    }
    FileBase::setRootPath(USE_PAK_FILE ? PAK_ROOT : LOOSE_ROOT);
    ZqLog.setMinimumLevel(SHIPPED_LOG_LEVEL);
    // The archive is opened (and its failure said) before anything else can speak or write.
    dataFound_ = true;
    if (USE_PAK_FILE) {
        // One left open by a game run before in this process is opened afresh.
        FileBase::closePakFile();
        dataFound_ = FileBase::openPakFile(PAK_ROOT);
    }
    if (!dataFound_) {
        return;
    }
    if (USE_PAK_FILE) {
        pakName = "trellin.pak";
    } else {
        const ScriptValueStore config("scripts/Lua/config.lua", true);
        pakName = config.getString("pakName");
    }
    SCREEN_WIDTH = 1024;
    SCREEN_HEIGHT = 600;
    GAME_NAME = "Trellin";
    WINDOWED = true;
    startAudio(AUDIO_BUFFER_LENGTH, AUDIO_SAMPLE_RATE);

    PlatformInterface* platform = PlatformInterface::getInstance();
    if (platform == nullptr) {
        return;
    }
    addModule<SystemEventHandlerModulePlaybook>(*platform);
    addModule<SaveDataUtilityModulePlaybook>(*platform);
    if (const auto events =
            platform->getModule<SystemEventHandlerModulePlaybook>(SYSTEM_EVENT_HANDLER_MODULE)) {
        events->init();
    }
    platform->registerModules();
}

bool lockSaveRecord() {
    PlatformInterface* platform = PlatformInterface::getInstance();
    const auto module = platform != nullptr
                            ? platform->getModule<SaveDataUtilityModulePlaybook>(SAVE_DATA_MODULE)
                            : boost::shared_ptr<SaveDataUtilityModulePlaybook>();
    return !module || module->lockRecord();
}

void startAudio(unsigned int bufferLength, unsigned int sampleRate) {
    // With no device to be had, one line here says what the libraries would say at length.
    if (!SoundLibraries::anyDeviceVisible()) {
        SoundLibraries::quiet();
    }
    AudioOutputOpenAl* output =
        new (0, ZequinAllocation) AudioOutputOpenAl(bufferLength, sampleRate, 1);
    if (output != nullptr && !output->isReady()) {
        logWarningLine("Audio: ", "no sound device can be opened: the game plays silently", "");
    }
    if (output == nullptr || AudioSystem::instance_ == nullptr) {
        delete output;
        return;
    }
    AudioSystem::instance_->initialise(boost::shared_ptr<AudioOutput>(output));
}

void endAudio() {
    if (AudioSystem::instance_ != nullptr) {
        AudioSystem::instance_->shutdown();
    }
}

bool startGraphics(unsigned int width, unsigned int height) {
    qnxContextInit(&qnxContext);
    if (!qnxCreateWindow(&qnxContext, "Trellin", static_cast<int>(width), static_cast<int>(height),
                         3)) {
        const char* cause = qnxDisplayFailure();
        logErrorLine("Window Error: ", "the game cannot open its window and ends: ",
                     *cause != '\0' ? cause : "its EGL context could not be made");
        return false;
    }
    if (GraphicsSystem::instance_ != nullptr) {
        GraphicsSystem::instance_->startDisplay(width, height);
    }
    return true;
}
