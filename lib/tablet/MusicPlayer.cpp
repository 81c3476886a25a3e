#include "lib/tablet/MusicPlayer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>

namespace tablet {
namespace {

// 100 is full level; every 20 below it is a tenth of the amplitude; 0 is silence.
float gainOf(int volume) {
    return volume <= 0 ? 0.0f : std::pow(10.0f, static_cast<float>(volume - 100) / 20.0f);
}

constexpr auto kStepInterval = std::chrono::milliseconds(10);

// Players still open when the process exits. OpenAL tears itself down after the exit handlers,
// and aborts if a player thread is still mixing then, so the players are released first.
std::mutex& liveMutex() {
    static std::mutex mutex;
    return mutex;
}

std::vector<MusicPlayer*>& livePlayers() {
    static std::vector<MusicPlayer*> players;
    return players;
}

void track(MusicPlayer* player) {
    std::lock_guard<std::mutex> lock(liveMutex());
    static const bool registered =
        (livePlayers(), std::atexit(&MusicPlayer::releaseAllAtExit) == 0);
    (void)registered;
    livePlayers().push_back(player);
}

void untrack(MusicPlayer* player) {
    std::lock_guard<std::mutex> lock(liveMutex());
    std::vector<MusicPlayer*>& players = livePlayers();
    players.erase(std::remove(players.begin(), players.end(), player), players.end());
}

}  // namespace

void MusicPlayer::releaseAllAtExit() {
    std::lock_guard<std::mutex> lock(liveMutex());
    for (MusicPlayer* player : livePlayers()) player->release();
    livePlayers().clear();
}

std::unique_ptr<MusicPlayer> MusicPlayer::open() {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) return nullptr;
    auto setThreadContext =
        alcIsExtensionPresent(device, "ALC_EXT_thread_local_context")
            ? reinterpret_cast<SetThreadContext>(alcGetProcAddress(device, "alcSetThreadContext"))
            : nullptr;
    ALCcontext* context = setThreadContext ? alcCreateContext(device, nullptr) : nullptr;
    if (!context) {
        alcCloseDevice(device);
        return nullptr;
    }
    std::unique_ptr<MusicPlayer> player(new MusicPlayer(device, context, setThreadContext));
    if (!player->createObjects()) return nullptr;
    if (pthread_create(&player->thread_, nullptr, &MusicPlayer::threadMain, player.get()) != 0)
        return nullptr;
    player->threadStarted_ = true;
    track(player.get());
    return player;
}

MusicPlayer::MusicPlayer(ALCdevice* device, ALCcontext* context, SetThreadContext setThreadContext)
    : device_(device), context_(context), setThreadContext_(setThreadContext) {
    samples_.resize(kBufferFrames * 2);
}

MusicPlayer::~MusicPlayer() {
    untrack(this);
    release();
}

void MusicPlayer::release() {
    if (released_) return;
    released_ = true;
    if (threadStarted_) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        pthread_join(thread_, nullptr);
    }
    destroyObjects();
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

// Makes the player's context current for the calling thread alone and gives the thread back
// what it had, so the process's current context (the sound effects') is never touched.
class MusicPlayer::ThreadContextScope {
public:
    explicit ThreadContextScope(const MusicPlayer& player) : player_(player) {
        auto getThreadContext = reinterpret_cast<ALCcontext*(ALC_APIENTRY*)()>(
            alcGetProcAddress(player.device_, "alcGetThreadContext"));
        previous_ = getThreadContext ? getThreadContext() : nullptr;
        player_.setThreadContext_(player_.context_);
    }
    ~ThreadContextScope() { player_.setThreadContext_(previous_); }
    ThreadContextScope(const ThreadContextScope&) = delete;
    ThreadContextScope& operator=(const ThreadContextScope&) = delete;

private:
    const MusicPlayer& player_;
    ALCcontext* previous_;
};

bool MusicPlayer::createObjects() {
    ThreadContextScope scope(*this);
    alGetError();
    alGenSources(1, &source_);
    alGenBuffers(kBufferCount, buffers_);
    if (alGetError() != AL_NO_ERROR) {
        source_ = 0;
        return false;
    }
    freeBuffers_.assign(buffers_, buffers_ + kBufferCount);
    return true;
}

void MusicPlayer::destroyObjects() {
    if (!source_) return;
    ThreadContextScope scope(*this);
    alSourceStop(source_);
    alSourcei(source_, AL_BUFFER, 0);
    alDeleteSources(1, &source_);
    alDeleteBuffers(kBufferCount, buffers_);
}

void* MusicPlayer::threadMain(void* self) {
    static_cast<MusicPlayer*>(self)->run();
    return nullptr;
}

void MusicPlayer::run() {
    ThreadContextScope scope(*this);
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        Order order = takeOrder();
        lock.unlock();
        Progress progress = step(order);
        // A replaced input goes here, outside the lock.
        order.decoder.reset();
        lock.lock();
        publish(order, progress);
        wake_.wait_for(lock, kStepInterval, [this] { return quit_ || changed_; });
    }
}

MusicPlayer::Order MusicPlayer::takeOrder() {
    changed_ = false;
    Order order{resetSerial_, state_, volume_, repeat_, replaceDecoder_, nullptr};
    if (replaceDecoder_) {
        order.decoder = std::move(pendingDecoder_);
        replaceDecoder_ = false;
    }
    return order;
}

MusicPlayer::Progress MusicPlayer::step(Order& order) {
    if (appliedSerial_ != order.serial) {
        appliedSerial_ = order.serial;
        alSourceStop(source_);
        alSourcei(source_, AL_BUFFER, 0);
        freeBuffers_.assign(buffers_, buffers_ + kBufferCount);
        queuedFrames_.clear();
        framesFinished_ = 0;
        endOfInput_ = false;
        if (order.replaceDecoder) decoder_.swap(order.decoder);
        if (decoder_) decoder_->rewind();
    }
    Progress progress;
    alSourcef(source_, AL_GAIN, gainOf(order.volume));
    ALint sourceState = AL_STOPPED;
    alGetSourcei(source_, AL_SOURCE_STATE, &sourceState);
    if (order.state == TABLET_PLAYER_PAUSED) {
        if (sourceState == AL_PLAYING) alSourcePause(source_);
    } else if (order.state == TABLET_PLAYER_PLAYING && decoder_) {
        stream(order.repeat, progress);
    }
    return progress;
}

void MusicPlayer::stream(bool repeat, Progress& progress) {
    ALint processed = 0;
    alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0 && !queuedFrames_.empty(); --processed) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source_, 1, &buffer);
        freeBuffers_.push_back(buffer);
        framesFinished_ += queuedFrames_.front();
        queuedFrames_.pop_front();
    }

    const ALenum format = decoder_->channels() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    bool rewound = false;
    while (!freeBuffers_.empty() && !endOfInput_) {
        size_t frames = decoder_->read(samples_.data(), kBufferFrames);
        if (frames == 0) {
            // A rewind that yields nothing again would loop here forever.
            if (repeat && !rewound && decoder_->rewind()) {
                rewound = true;
                ++progress.loops;
                continue;
            }
            endOfInput_ = true;
            break;
        }
        rewound = false;
        ALuint buffer = freeBuffers_.back();
        freeBuffers_.pop_back();
        alBufferData(buffer, format, samples_.data(),
                     static_cast<ALsizei>(frames * sizeof(int16_t) * decoder_->channels()),
                     decoder_->rate());
        alSourceQueueBuffers(source_, 1, &buffer);
        queuedFrames_.push_back(frames);
    }

    ALint offset = 0;
    alGetSourcei(source_, AL_SAMPLE_OFFSET, &offset);
    progress.framesPlayed =
        framesFinished_ + static_cast<unsigned long long>(offset > 0 ? offset : 0);

    ALint sourceState = AL_STOPPED;
    alGetSourcei(source_, AL_SOURCE_STATE, &sourceState);
    if (sourceState == AL_PLAYING) return;
    if (!queuedFrames_.empty()) {
        // Starts, resumes after a pause, or recovers from running dry.
        alSourcePlay(source_);
    } else {
        progress.ended = endOfInput_;
    }
}

void MusicPlayer::publish(const Order& order, const Progress& progress) {
    // A call that restarted or replaced the input meanwhile makes this step's findings stale.
    if (order.serial != resetSerial_ || order.state != TABLET_PLAYER_PLAYING) return;
    framesPlayed_ = progress.framesPlayed;
    loops_ += progress.loops;
    // Ended while still playing: a pause that came meanwhile holds until the next resume.
    if (progress.ended && state_ == TABLET_PLAYER_PLAYING) state_ = TABLET_PLAYER_STOPPED;
}

void MusicPlayer::restartFromBeginning() {
    ++resetSerial_;
    changed_ = true;
}

void MusicPlayer::attach(std::unique_ptr<SampleDecoder> decoder) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rate_ = decoder->rate();
        channels_ = decoder->channels();
        // An input handed over before the thread took the previous one replaces it unread.
        pendingDecoder_ = std::move(decoder);
        replaceDecoder_ = true;
        state_ = TABLET_PLAYER_STOPPED;
        volume_ = 100;
        repeat_ = false;
        loops_ = 0;
        framesPlayed_ = 0;
        restartFromBeginning();
    }
    wake_.notify_all();
}

bool MusicPlayer::detach() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (state_ == TABLET_PLAYER_IDLE) return false;
        pendingDecoder_.reset();
        replaceDecoder_ = true;
        rate_ = channels_ = 0;
        state_ = TABLET_PLAYER_IDLE;
        restartFromBeginning();
    }
    wake_.notify_all();
    return true;
}

bool MusicPlayer::setParameters(int volume, int repeat) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (state_ == TABLET_PLAYER_IDLE || volume > 100 || repeat > 1) return false;
        if (volume >= 0) volume_ = volume;
        if (repeat >= 0) repeat_ = repeat == 1;
        changed_ = true;
    }
    wake_.notify_all();
    return true;
}

bool MusicPlayer::play() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (state_ == TABLET_PLAYER_IDLE) return false;
        if (state_ == TABLET_PLAYER_STOPPED) {
            loops_ = 0;
            framesPlayed_ = 0;
            restartFromBeginning();
        }
        state_ = TABLET_PLAYER_PLAYING;
        changed_ = true;
    }
    wake_.notify_all();
    return true;
}

bool MusicPlayer::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (state_ == TABLET_PLAYER_IDLE || state_ == TABLET_PLAYER_STOPPED) return true;
        state_ = TABLET_PLAYER_STOPPED;
        restartFromBeginning();
    }
    wake_.notify_all();
    return true;
}

bool MusicPlayer::setSpeed(int speed) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (state_ == TABLET_PLAYER_IDLE || (speed != 0 && speed != 1000)) return false;
        // A stopped input stays stopped: resuming is no start.
        if (speed == 0 && state_ == TABLET_PLAYER_PLAYING) state_ = TABLET_PLAYER_PAUSED;
        if (speed == 1000 && state_ == TABLET_PLAYER_PAUSED) state_ = TABLET_PLAYER_PLAYING;
        changed_ = true;
    }
    wake_.notify_all();
    return true;
}

tablet_player_status_t MusicPlayer::status() {
    std::lock_guard<std::mutex> lock(mutex_);
    tablet_player_status_t status{};
    status.state = state_;
    status.volume = volume_;
    status.repeat = repeat_ ? 1 : 0;
    status.loops = loops_;
    status.frames_played = framesPlayed_;
    status.sample_rate = rate_;
    status.channels = channels_;
    return status;
}

}  // namespace tablet
