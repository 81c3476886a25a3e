#include <gtest/gtest.h>

#include "game/sound/GameSoundManager.h"
#include "tests/support/LogCheck.h"

namespace {

TEST(GameSoundManagerTest, TheWhooshPlaysOncePerFrame) {
    GameSoundManager sounds;
    EXPECT_FALSE(sounds.isWhooshPlayed());
    sounds.playSound(GameSoundManager::WOOSH_BARRIER, false);
    EXPECT_TRUE(sounds.isWhooshPlayed());
    sounds.update();
    EXPECT_FALSE(sounds.isWhooshPlayed());
    // Entries without a sound (the music ids) play nothing and do not fail.
    sounds.playSound(GameSoundManager::INGAME_MUSIC, false);
    sounds.setSoundRelativePitch(GameSoundManager::TITLE_MUSIC, 1.0f, 0.0f);
    sounds.stopSound(GameSoundManager::SoundName(42));
}

TEST(GameSoundManagerTest, MusicFollowsTheEnabledAndSuspendedFlags) {
    trellin_test::expectLog("Game Error: no music from app/native/audio/BGMusic.mp3");
    trellin_test::expectLog("Game Error: no music from app/native/audio/TitleMusic.mp3");
    GameSoundManager sounds;
    sounds.playMusic(GameSoundManager::INGAME_MUSIC, true);
    EXPECT_EQ(sounds.getCurrentMusic(), GameSoundManager::INGAME_MUSIC);
    EXPECT_TRUE(sounds.isMusicPlaying());
    sounds.disableMusic();
    EXPECT_FALSE(sounds.isMusicEnabled());
    EXPECT_FALSE(sounds.isMusicPlaying());
    sounds.playMusic(GameSoundManager::TITLE_MUSIC, true);
    EXPECT_EQ(sounds.getCurrentMusic(), GameSoundManager::INGAME_MUSIC);
    EXPECT_FALSE(sounds.isMusicPlaying());
    // Enabling starts the title track only when music was on already.
    sounds.enableMusic();
    EXPECT_TRUE(sounds.isMusicEnabled());
    EXPECT_FALSE(sounds.isMusicPlaying());
    sounds.enableMusic();
    EXPECT_TRUE(sounds.isMusicPlaying());
    EXPECT_EQ(sounds.getCurrentMusic(), GameSoundManager::TITLE_MUSIC);

    // Suspended: the playing track is remembered, and nothing plays or updates.
    sounds.suspendAudio();
    EXPECT_TRUE(sounds.isSuspended());
    EXPECT_TRUE(sounds.isMusicPlaying());
    sounds.playSound(GameSoundManager::WOOSH_BARRIER, false);
    EXPECT_FALSE(sounds.isWhooshPlayed());
    sounds.playMusic(GameSoundManager::INGAME_MUSIC, true);
    EXPECT_EQ(sounds.getCurrentMusic(), GameSoundManager::TITLE_MUSIC);
    sounds.resumeAudio();
    EXPECT_FALSE(sounds.isSuspended());
    EXPECT_TRUE(sounds.isMusicPlaying());
    sounds.pauseMusic(GameSoundManager::TITLE_MUSIC);
    EXPECT_FALSE(sounds.isMusicPlaying());
}

}  // namespace
