#pragma once

#include <vector>

#include "game/sound/GameSoundManager.h"

namespace trellin_test {

// Stands in for the game's sound service while alive and keeps the effects asked for, with the
// pitch set before each, and the music paused.
class RecordingSounds : public GameSoundManager {
public:
    RecordingSounds() : previous_(GameSoundManager::instance_) {
        GameSoundManager::instance_ = this;
    }
    ~RecordingSounds() override { GameSoundManager::instance_ = previous_; }

    void playSound(SoundName id, bool loop) override {
        played.push_back(id);
        GameSoundManager::playSound(id, loop);
    }
    void setSoundRelativePitch(SoundName id, float pitch, float variation) override {
        pitches.push_back(pitch);
        GameSoundManager::setSoundRelativePitch(id, pitch, variation);
    }

    void pauseMusic(SoundName id) override {
        pausedMusic.push_back(id);
        GameSoundManager::pauseMusic(id);
    }

    std::vector<int> played;
    std::vector<float> pitches;
    std::vector<int> pausedMusic;

private:
    GameSoundManager* previous_;
};

}  // namespace trellin_test
