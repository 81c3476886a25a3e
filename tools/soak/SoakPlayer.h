#pragma once

#include <deque>
#include <random>

#include "tools/soak/SystemHeapAllocator.h"

class GameManager;

// A player for long unattended runs: it reads which page the game shows and pushes the touches
// of a player into the tablet feed, on the real buttons. It starts from the title, switches
// lanes at random until the craft crashes, and on the restart page mostly plays again, now and
// then going back to the title; some runs are paused and resumed (by the HUD's button or by
// the window leaving the foreground) and some are left from the pause page.
class SoakPlayer {
public:
    explicit SoakPlayer(unsigned seed) : random_(seed) {}

    // Call before each main-loop turn: pushes what the player does in that turn.
    void beforeTurn(const GameManager& game);
    // Crashes that have opened the restart page so far.
    int runsEnded() const { return runsEnded_; }
    // True on the first turn the restart page is up after a crash.
    bool runJustEnded() const { return runJustEnded_; }

private:
    enum Page { LOADING, TITLE, PLAYING, COUNTDOWN, PAUSED, RESTART };
    struct Touch {
        long turn;
        int type;  // 0 a window event (x is its state), else the screen event type
        int x;
        int y;
    };

    static Page pageOf(const GameManager& game);
    void tap(int x, int y);
    void windowAway();
    // What the player does next on the page.
    void choose(Page page);
    void play();
    int between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    std::mt19937 random_;
    std::deque<Touch, SystemHeapAllocator<Touch>> touches_;
    long turn_ = 0;
    long nextMove_ = 0;  // the turn of the next lane switch or pause in play
    Page lastPage_ = LOADING;
    int runsEnded_ = 0;
    int pauses_ = 0;
    bool runJustEnded_ = false;
};
