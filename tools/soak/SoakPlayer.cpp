#include "tools/soak/SoakPlayer.h"

#include "game/manager/GameManager.h"
#include "lib/tablet/feed.h"
#include "lib/tablet/navigator.h"
#include "lib/tablet/screen.h"

namespace {

// The pages' buttons, in window pixels from the top left.
const int START_X = 512, START_Y = 238;
const int PAUSE_X = 862, PAUSE_Y = 55;
const int RESUME_X = 512, RESUME_Y = 276;
const int PAUSE_MENU_X = 512, PAUSE_MENU_Y = 365;
const int AGAIN_X = 512, AGAIN_Y = 352;
const int RESTART_MENU_X = 512, RESTART_MENU_Y = 440;
// A lane switch: a touch in the left or right half, below the top fifth.
const int LEFT_X = 200, RIGHT_X = 824, LANE_Y = 400;
// Turns a page is left to settle after a button before the player looks at it again.
const int SETTLE = 20;

}  // namespace

SoakPlayer::Page SoakPlayer::pageOf(const GameManager& game) {
    if (!game.initialised) {
        return LOADING;
    }
    if (game.restartMenuShown) {
        return RESTART;
    }
    if (game.gameOverPending) {
        return COUNTDOWN;
    }
    if (game.guiPaused) {
        return PAUSED;
    }
    return game.gameRunning ? PLAYING : TITLE;
}

void SoakPlayer::tap(int x, int y) {
    touches_.push_back({turn_, SCREEN_EVENT_MTOUCH_TOUCH, x, y});
    touches_.push_back({turn_ + 1, SCREEN_EVENT_MTOUCH_RELEASE, x, y});
    nextMove_ = turn_ + SETTLE;
}

void SoakPlayer::windowAway() {
    touches_.push_back({turn_, 0, NAVIGATOR_WINDOW_THUMBNAIL, 0});
    touches_.push_back({turn_ + between(5, 30), 0, NAVIGATOR_WINDOW_FULLSCREEN, 0});
    nextMove_ = turn_ + SETTLE + 30;
}

void SoakPlayer::play() {
    // About one pause in twenty moves, half of them by the window leaving the foreground.
    if (between(0, 19) == 0) {
        if (between(0, 1) == 0) {
            tap(PAUSE_X, PAUSE_Y);
        } else {
            windowAway();
        }
        return;
    }
    tap(between(0, 1) == 0 ? LEFT_X : RIGHT_X, LANE_Y);
    nextMove_ = turn_ + between(8, 60);
}

void SoakPlayer::beforeTurn(const GameManager& game) {
    ++turn_;
    const Page page = pageOf(game);
    runJustEnded_ = page == RESTART && lastPage_ != RESTART;
    if (runJustEnded_) {
        ++runsEnded_;
        nextMove_ = turn_ + between(5, 40);
    }
    lastPage_ = page;

    if (touches_.empty() && turn_ >= nextMove_) {
        choose(page);
    }
    while (!touches_.empty() && touches_.front().turn <= turn_) {
        const Touch touch = touches_.front();
        touches_.pop_front();
        if (touch.type == 0) {
            tablet_feed_push_window_state(touch.x);
        } else {
            tablet_feed_push_touch(touch.type, 0, touch.x, touch.y);
        }
    }
}

void SoakPlayer::choose(Page page) {
    switch (page) {
        case LOADING:
        case COUNTDOWN:
            break;
        case TITLE:
            tap(START_X, START_Y);
            break;
        case PLAYING:
            play();
            break;
        case PAUSED:
            // One pause in four ends on the title.
            if (++pauses_ % 4 == 0) {
                tap(PAUSE_MENU_X, PAUSE_MENU_Y);
            } else {
                tap(RESUME_X, RESUME_Y);
            }
            break;
        case RESTART:
            // One run in five goes back to the title.
            if (runsEnded_ % 5 == 0) {
                tap(RESTART_MENU_X, RESTART_MENU_Y);
            } else {
                tap(AGAIN_X, AGAIN_Y);
            }
            break;
    }
}
