// The multimedia renderer's player: its own OpenAL device and context, used only through a
// thread-local context so the sound effects' current context is never touched, and a thread
// that streams the attached decoder into a source.
#pragma once

#include <al.h>
#include <alc.h>
#include <pthread.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "lib/tablet/Mp3Decoder.h"
#include "lib/tablet/mmr.h"

namespace tablet {

class MusicPlayer {
public:
    // nullptr when no device, context or thread can be had; never blocks.
    static std::unique_ptr<MusicPlayer> open();
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // Replaces the input: stopped, volume 100, no repeat.
    void attach(std::unique_ptr<Mp3Decoder> decoder);
    bool detach();
    // A volume of 0 to 100 and repeat 0 or 1; -1 keeps the current one. Needs an input.
    bool setParameters(int volume, int repeat);
    bool play();
    bool stop();
    // 0 or 1000 only.
    bool setSpeed(int speed);
    tablet_player_status_t status();

    // Releases every open player; registered with atexit when the first one opens.
    static void releaseAllAtExit();

private:
    using SetThreadContext = ALCboolean(ALC_APIENTRY*)(ALCcontext*);
    class ThreadContextScope;
    static constexpr int kBufferCount = 4;
    static constexpr size_t kBufferFrames = 4096;

    MusicPlayer(ALCdevice* device, ALCcontext* context, SetThreadContext setThreadContext);
    // Stops the thread and gives back the OpenAL objects, device and context; once only.
    void release();
    bool createObjects();
    void destroyObjects();
    static void* threadMain(void* self);
    void run();
    void step();
    void stream();
    void restartFromBeginning();

    ALCdevice* device_;
    ALCcontext* context_;
    SetThreadContext setThreadContext_;
    ALuint source_ = 0;
    ALuint buffers_[kBufferCount] = {};
    pthread_t thread_{};
    bool threadStarted_ = false;
    bool released_ = false;

    std::mutex mutex_;
    std::condition_variable wake_;
    // Everything below is guarded by mutex_; the AL objects are used by the thread only.
    bool quit_ = false;
    std::unique_ptr<Mp3Decoder> decoder_;
    tablet_player_state_t state_ = TABLET_PLAYER_IDLE;
    int volume_ = 100;
    bool repeat_ = false;
    unsigned int loops_ = 0;
    unsigned long long framesPlayed_ = 0;    // processed buffers plus the source's offset
    unsigned long long framesFinished_ = 0;  // processed buffers
    bool endOfInput_ = false;
    unsigned int resetSerial_ = 0;  // bumped when what is queued must be dropped
    unsigned int appliedSerial_ = 0;
    std::vector<ALuint> freeBuffers_;
    std::deque<size_t> queuedFrames_;
    std::vector<int16_t> samples_;
};

}  // namespace tablet
