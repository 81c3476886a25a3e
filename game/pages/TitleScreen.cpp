#include "game/pages/TitleScreen.h"

#include "core/log/ErrorLine.h"
#include "game/manager/GameManager.h"
#include "game/objects/AirCraft.h"
#include "game/pages/PageText.h"
#include "game/sound/GameSoundManager.h"

namespace {

void toggleBonus(Rocket::Core::Element* element) {
    AirCraft* craft = GameManager::playerAirCraft();
    if (craft == nullptr) {
        return;
    }
    craft->bonusDistance = !craft->bonusDistance;
    PageText::show(element, PageText::bonusLabel(craft->bonusDistance));
}

void toggleMusic(Rocket::Core::Element* element, GameSoundManager& sound) {
    // Turning music on asks twice: the first call only sets the flag, the second (with music
    // on) starts the title track.
    if (sound.isMusicEnabled()) {
        sound.disableMusic();
    } else {
        sound.enableMusic();
        sound.enableMusic();
    }
    PageText::show(element, PageText::musicLabel(sound.isMusicEnabled()));
}

}  // namespace

void TitleScreen::processEvent(Rocket::Core::Element* element, const orvo::ZqString&,
                               const orvo::ZqString& value) {
    GameSoundManager* sound = GameSoundManager::instance_;
    if (value == "start_game") {
        if (GameManager::instance_ != nullptr) {
            GameManager::instance_->startGame();
        }
    } else if (value == "open_trellin_plus_link") {
        orvo::logLine(orvo::LineKind::PLAIN, nullptr, {"Clicked link Trellin+ on Google Play"});
    } else if (value == "refresh_page_info") {
        if (GameManager::instance_ != nullptr) {
            GameManager::instance_->refreshTitleScreenDetails();
        }
    } else if (value == "play_sound") {
        if (sound != nullptr) {
            sound->playSound(GameSoundManager::UI_ACCEPT, false);
        }
    } else if (value == "toggle_bonus_distance") {
        toggleBonus(element);
    } else if (value == "music_toggle") {
        if (sound != nullptr) {
            toggleMusic(element, *sound);
        }
    }
    // The store, link, score and controller buttons of the page do nothing here.
}
