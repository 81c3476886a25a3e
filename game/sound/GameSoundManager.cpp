#include "game/sound/GameSoundManager.h"

#include <iterator>

#include "audio/AudioSystem.h"
#include "audio/Sound.h"
#include "audio/SoundHandler.h"
#include "core/hash/HashString.h"
#include "core/text/ZqString.h"
#include "game/manager/GameDataTables.h"
#include "game/manager/GameError.h"
#include "game/time/TimeManager.h"
#include "platform/playbook/qnxMMR.h"

namespace {

struct EffectEntry {
    GameSoundManager::SoundName id;  // also the index of its name in the data tables
    float gain;
};

const EffectEntry EFFECTS[] = {
    {GameSoundManager::UI_ACCEPT, 0.6f},     {GameSoundManager::TECH_EXPLOSION, 0.6f},
    {GameSoundManager::WOOSH_BARRIER, 0.1f}, {GameSoundManager::ENGINE, 0.4f},
    {GameSoundManager::SHIELD_BEGIN, 0.6f},  {GameSoundManager::SHIELD_END, 0.6f},
    {GameSoundManager::DESTROY_ENEMY, 0.6f},
};

static_assert(std::size(EFFECTS) == std::size(GameDataTables::SOUNDS), "one name per effect");

}  // namespace

GameSoundManager::GameSoundManager()
    : musicEnabled(1),
      effectsEnabled(1),
      musicPlaying(0),
      suspended(0),
      currentMusic(TITLE_MUSIC),
      whooshPlayed(0) {
    sounds.resize(SOUND_COUNT, boost::shared_ptr<orvo::Sound>());
}

void GameSoundManager::initialise() {
    for (const EffectEntry& entry : EFFECTS) {
        addSound(entry.id, GameDataTables::SOUNDS[entry.id], 0, entry.gain, 1.0f, 0.0f);
    }
    playMusic(TITLE_MUSIC, true);
}

void GameSoundManager::addSound(SoundName id, const char* name, int priority, float gain,
                                float pitch, float pitchVariation) {
    if (orvo::SoundHandler::instance_ == nullptr || id < 0 ||
        static_cast<std::size_t>(id) >= sounds.size()) {
        return;
    }
    const orvo::ZqString path =
        orvo::ZqString(GameDataTables::DATA_FOLDER) + GameDataTables::SOUND_FOLDER + name + ".wav";
    sounds[id] = orvo::SoundHandler::instance_->createSound(path, orvo::HashString(name));
    if (!sounds[id]) {
        logGameError("no sound from ", path);
    } else {
        sounds[id]->setPriority(priority);
        sounds[id]->setRelativePitch(pitch, pitchVariation);
        sounds[id]->setAmplitude(gain, 0.0f);
    }
}

orvo::Sound* GameSoundManager::effect(SoundName id) const {
    if (effectsEnabled == 0 || id < 0 || static_cast<std::size_t>(id) >= sounds.size()) {
        return nullptr;
    }
    return sounds[id].get();
}

void GameSoundManager::playSound(SoundName id, bool loop) {
    if (suspended != 0) {
        return;
    }
    if (id == WOOSH_BARRIER) {
        if (whooshPlayed != 0) {
            return;
        }
        whooshPlayed = 1;
    }
    if (orvo::Sound* sound = effect(id)) {
        sound->play(loop);
    }
}

void GameSoundManager::stopSound(SoundName id) {
    if (orvo::Sound* sound = effect(id)) {
        sound->stop();
    }
}

void GameSoundManager::setSoundRelativePitch(SoundName id, float pitch, float variation) {
    if (orvo::Sound* sound = effect(id)) {
        sound->setRelativePitch(pitch, variation);
    }
}

void GameSoundManager::startTrack(SoundName id, float titleVolume, float ingameVolume,
                                  bool repeat) {
    const char* path = "";
    float volume = 1.0f;
    orvo::SaidOnce* missing = nullptr;
    if (id == TITLE_MUSIC) {
        path = GameDataTables::TITLE_MUSIC_FILE;
        volume = titleVolume;
        missing = &musicMissing[0];
    } else if (id == INGAME_MUSIC) {
        path = GameDataTables::INGAME_MUSIC_FILE;
        volume = ingameVolume;
        missing = &musicMissing[1];
    }
    // Without a sound device every load fails: that is no fault of the file.
    if (!qnxMMRLoad(path, volume, repeat) && qnxMMRReady() && missing != nullptr &&
        missing->first()) {
        logGameError("no music from ", path);
    }
    qnxMMRPlay();
    musicPlaying = 1;
}

void GameSoundManager::playMusic(SoundName id, bool repeat) {
    if (suspended != 0 || musicEnabled == 0) {
        return;
    }
    startTrack(id, 0.6f, 0.8f, repeat);
    currentMusic = id;
}

void GameSoundManager::restartMusic(SoundName id) {
    if (suspended != 0 || musicEnabled == 0) {
        return;
    }
    startTrack(id, 0.09f, 0.6f, false);
}

void GameSoundManager::stopMusic(SoundName) {
    if (suspended != 0 || musicEnabled == 0) {
        return;
    }
    qnxMMRStop();
    musicPlaying = 0;
}

void GameSoundManager::pauseMusic(SoundName) {
    if (suspended != 0 || musicEnabled == 0) {
        return;
    }
    qnxMMRPause();
    musicPlaying = 0;
}

void GameSoundManager::resumeMusic(SoundName) {
    if (suspended != 0 || musicEnabled == 0) {
        return;
    }
    qnxMMRResume();
    musicPlaying = 1;
}

void GameSoundManager::disableMusic() {
    stopMusic(TITLE_MUSIC);
    musicEnabled = 0;
}

void GameSoundManager::enableMusic() {
    playMusic(TITLE_MUSIC, false);
    musicEnabled = 1;
}

void GameSoundManager::pauseAll() {
    if (suspended == 0) {
        qnxMMRPause();
    }
}

void GameSoundManager::resumeAll() {
    if (suspended == 0) {
        qnxMMRResume();
    }
}

void GameSoundManager::suspendAudio() {
    if (musicPlaying != 0) {
        pauseMusic(currentMusic);
        // Kept set so that resumeAudio starts the track again.
        musicPlaying = 1;
    }
    suspended = 1;
    if (orvo::SoundHandler::instance_ != nullptr) {
        orvo::SoundHandler::instance_->suspend();
    }
}

void GameSoundManager::resumeAudio() {
    if (orvo::SoundHandler::instance_ != nullptr) {
        orvo::SoundHandler::instance_->resume();
    }
    suspended = 0;
    if (musicPlaying != 0) {
        resumeMusic(currentMusic);
    }
}

void GameSoundManager::update() {
    if (suspended != 0) {
        return;
    }
    whooshPlayed = 0;
    if (orvo::AudioSystem::instance_ != nullptr) {
        const double frameTime = TimeManager::worldFrameTime();
        orvo::AudioSystem::instance_->update(frameTime);
    }
}
