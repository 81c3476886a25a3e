#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/locator/ServiceSingleton.h"
#include "core/log/SaidOnce.h"

namespace orvo {
class Sound;
}

// The game's sound service: its seven effects through the sound handler and its two music
// tracks through the platform's music player. It also drives the audio system each frame.
class GameSoundManager : public orvo::Locator::ServiceSingleton<GameSoundManager> {
public:
    enum SoundName : int32_t {
        UI_ACCEPT = 0,
        TECH_EXPLOSION = 1,
        WOOSH_BARRIER = 2,
        ENGINE = 3,
        SHIELD_BEGIN = 4,
        SHIELD_END = 5,
        DESTROY_ENEMY = 6,
        TITLE_MUSIC = 7,
        INGAME_MUSIC = 8,
    };
    static constexpr int SOUND_COUNT = 9;

    GameSoundManager();
    ~GameSoundManager() override {}

    // Fills the effect table and starts the title music.
    void initialise();
    void addSound(SoundName id, const char* name, int priority, float gain, float pitch,
                  float pitchVariation);

    // Virtual so that a test can stand in and hear what the world plays and pauses.
    virtual void playSound(SoundName id, bool loop);
    virtual void setSoundRelativePitch(SoundName id, float pitch, float variation);
    void stopSound(SoundName id);

    void playMusic(SoundName id, bool repeat);
    void restartMusic(SoundName id);
    void stopMusic(SoundName id);
    virtual void pauseMusic(SoundName id);
    void resumeMusic(SoundName id);
    void disableMusic();
    void enableMusic();
    void pauseAll();
    void resumeAll();
    void suspendAudio();
    void resumeAudio();

    // Once per frame: lets the whoosh play again and advances the audio system.
    void update();

    bool isMusicEnabled() const { return musicEnabled != 0; }
    bool isMusicPlaying() const { return musicPlaying != 0; }
    SoundName getCurrentMusic() const { return currentMusic; }
    bool isSuspended() const { return suspended != 0; }
    // The whoosh has been played in this frame and will not play again before update().
    bool isWhooshPlayed() const { return whooshPlayed != 0; }

private:
    // The effect's entry when effects are on and it exists, else null.
    orvo::Sound* effect(SoundName id) const;
    // Loads and starts a track; the shared part of playMusic and restartMusic.
    void startTrack(SoundName id, float titleVolume, float ingameVolume, bool repeat);

    uint8_t musicEnabled;
    uint8_t effectsEnabled;
    uint8_t musicPlaying;
    uint8_t suspended;
    SoundName currentMusic;
    orvo::Array<boost::shared_ptr<orvo::Sound>> sounds;
    uint8_t whooshPlayed;
    // Said of each track found unplayable (title, in-game): once each.
    orvo::SaidOnce musicMissing[2];
};
