// The multimedia renderer's player: its own OpenAL device and context, used only through a
// thread-local context so the sound effects' current context is never touched, and a thread
// that streams the attached decoder into a source. Only that thread reads the decoder, and it
// decodes without holding the lock, so the calls (made on the game's main thread) never wait
// for a decode.
#pragma once

#include <al.h>
#include <alc.h>
#include <pthread.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "lib/tablet/SampleDecoder.h"
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
    void attach(std::unique_ptr<SampleDecoder> decoder);
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

    // What the thread takes from the calls for one step, under the lock.
    struct Order {
        unsigned int serial;
        tablet_player_state_t state;
        int volume;
        bool repeat;
        bool replaceDecoder;
        std::unique_ptr<SampleDecoder> decoder;  // the new input when replaceDecoder is set
    };
    // What one step found, handed back under the lock.
    struct Progress {
        unsigned long long framesPlayed = 0;
        unsigned int loops = 0;
        bool ended = false;
    };

    MusicPlayer(ALCdevice* device, ALCcontext* context, SetThreadContext setThreadContext);
    // Stops the thread and gives back the OpenAL objects, device and context; once only.
    void release();
    bool createObjects();
    void destroyObjects();
    static void* threadMain(void* self);
    void run();
    Order takeOrder();
    // Decodes and plays without the lock: the calls never wait for a decode.
    Progress step(Order& order);
    void stream(bool repeat, Progress& progress);
    void publish(const Order& order, const Progress& progress);
    // Called under the lock: what is queued is dropped and the input starts again from its
    // beginning at the thread's next step.
    void restartFromBeginning();

    ALCdevice* device_;
    ALCcontext* context_;
    SetThreadContext setThreadContext_;
    pthread_t thread_{};
    bool threadStarted_ = false;
    bool released_ = false;

    std::mutex mutex_;
    std::condition_variable wake_;
    // Guarded by mutex_: what the calls set and what they report.
    bool quit_ = false;
    bool changed_ = false;  // set by every call that changes what the thread does
    tablet_player_state_t state_ = TABLET_PLAYER_IDLE;
    int volume_ = 100;
    bool repeat_ = false;
    int rate_ = 0;
    int channels_ = 0;
    unsigned int loops_ = 0;
    unsigned long long framesPlayed_ = 0;  // processed buffers plus the source's offset
    unsigned int resetSerial_ = 0;         // bumped when what is queued must be dropped
    bool replaceDecoder_ = false;
    std::unique_ptr<SampleDecoder> pendingDecoder_;

    // The thread's own: the input being read and the OpenAL objects.
    std::unique_ptr<SampleDecoder> decoder_;
    unsigned int appliedSerial_ = 0;
    ALuint source_ = 0;
    ALuint buffers_[kBufferCount] = {};
    unsigned long long framesFinished_ = 0;  // processed buffers
    bool endOfInput_ = false;
    std::vector<ALuint> freeBuffers_;
    std::deque<size_t> queuedFrames_;
    std::vector<int16_t> samples_;
};

}  // namespace tablet
