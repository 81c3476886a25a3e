#include <alc.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "AudioTestSupport.h"
#include "audio/AudioSystemMessage.h"
#include "audio/Source.h"
#include "core/memory/MemoryManager.h"
#include "core/message/MessageSystem.h"
#include "core/thread/Jobber.h"
#include "tests/core/memory/FilledAllocator.h"

namespace audiotest {
namespace {

typedef boost::shared_ptr<orvo::Sound> SoundPtr;
using orvo::AudioSystemMessage;

class AudioSystemState : public AudioFixture {
protected:
    static std::size_t queued() {
        return orvo::MessageQueueActual<AudioSystemMessage>::instance()->size();
    }
};

TEST_F(AudioSystemState, SuspendPausesEveryVoiceAndReleasesTheContext) {
    const SoundPtr sound = makeSound("sound");
    ASSERT_TRUE(sound->play(true));
    const boost::shared_ptr<orvo::Source> voice = sound->getSources()[0];
    ASSERT_EQ(sourceValue(voice->getAlSource(), AL_SOURCE_STATE), AL_PLAYING);
    ALCcontext* context = alcGetCurrentContext();
    ASSERT_NE(context, nullptr);

    handler->suspend();
    EXPECT_TRUE(audio->isSuspended());
    EXPECT_EQ(voice->getState(), orvo::Source::STATE_PAUSED);
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
    EXPECT_FALSE(audio->pauseAll());
    EXPECT_FALSE(audio->unpauseAll());
    EXPECT_FALSE(audio->stopAll());
    EXPECT_FALSE(audio->playAll());

    // A second suspend pauses nothing.
    voice->unpause();
    handler->suspend();
    EXPECT_EQ(voice->getState(), orvo::Source::STATE_PLAYING);
    voice->pause();

    handler->resume();
    EXPECT_FALSE(audio->isSuspended());
    EXPECT_EQ(alcGetCurrentContext(), context);
    EXPECT_EQ(voice->getState(), orvo::Source::STATE_PLAYING);
    EXPECT_EQ(sourceValue(voice->getAlSource(), AL_SOURCE_STATE), AL_PLAYING);

    // Resuming a running system unpauses nothing.
    voice->pause();
    handler->resume();
    EXPECT_EQ(voice->getState(), orvo::Source::STATE_PAUSED);
    EXPECT_EQ(sourceValue(voice->getAlSource(), AL_SOURCE_STATE), AL_PAUSED);
}

TEST_F(AudioSystemState, WholeSystemOperationsReachEverySource) {
    const SoundPtr sound = makeSound("sound");
    ASSERT_TRUE(sound->play(true));
    ASSERT_TRUE(sound->play(true));
    EXPECT_TRUE(audio->pauseAll());
    for (const auto& source : sound->getSources()) {
        EXPECT_EQ(source->getState(), orvo::Source::STATE_PAUSED);
    }
    EXPECT_TRUE(audio->unpauseAll());
    EXPECT_TRUE(audio->stopAll());
    for (const auto& source : sound->getSources()) {
        EXPECT_EQ(source->getState(), orvo::Source::STATE_STOPPED);
    }
    // play(false) restarts the voices that still hold a buffer, and only those.
    EXPECT_TRUE(audio->playAll());
    int playing = 0;
    for (const auto& source : audio->getSources()) {
        playing += source->getState() == orvo::Source::STATE_PLAYING;
    }
    EXPECT_EQ(playing, 2);
}

TEST_F(AudioSystemState, InitialiseTakesOneOutputOnly) {
    const boost::shared_ptr<orvo::AudioOutput> other(new orvo::AudioOutputOpenAl(4096, 22050, 1));
    EXPECT_FALSE(audio->initialise(other));
    EXPECT_TRUE(audio->isSuspended());
    EXPECT_EQ(audio->getOutput(), output);
    EXPECT_TRUE(audio->reinitialise(other));
    EXPECT_FALSE(audio->isSuspended());
    EXPECT_EQ(audio->getOutput(), other);
    EXPECT_FALSE(audio->reinitialise(boost::shared_ptr<orvo::AudioOutput>()));
    EXPECT_TRUE(audio->isSuspended());
    EXPECT_FALSE(audio->getOutput());
    EXPECT_TRUE(audio->initialise(output));
}

TEST_F(AudioSystemState, UpdateDrainsTheMessagesOfTheOutput) {
    const auto* openAl = static_cast<orvo::AudioOutputOpenAl*>(output.get());
    ASSERT_TRUE(openAl->isReady());
    EXPECT_FALSE(audio->isOutputReady());
    EXPECT_EQ(queued(), 1u);  // posted when the output opened
    audio->update(0.0);
    EXPECT_TRUE(audio->isOutputReady());
    EXPECT_EQ(queued(), 0u);

    // Reports without pending work leave the count at 0.
    ASSERT_TRUE(AudioSystemMessage::post(AudioSystemMessage::PENDING_DONE));
    ASSERT_TRUE(AudioSystemMessage::post(7));
    audio->update(0.0);
    EXPECT_EQ(audio->getPendingCount(), 0u);
    EXPECT_FALSE(audio->isPendingDone());
    EXPECT_EQ(queued(), 0u);

    // The job path reports the same way.
    const short samples[4] = {0, 1, 2, 3};
    output->writeToOutput(samples, 4);
    EXPECT_EQ(openAl->getSamples(), samples);
    EXPECT_EQ(openAl->getSampleCount(), 4u);
    output->execute();
    EXPECT_EQ(queued(), 1u);
}

TEST_F(AudioSystemState, AWriteThatWaitsForTheWorkersMayOutliveItsOutput) {
    orvo::Jobber* jobber = orvo::Locator::registerService<orvo::Jobber>("Jobber");
    ASSERT_NE(jobber, nullptr);
    orvo::AudioOutputOpenAl* spare = new orvo::AudioOutputOpenAl(4096, 22050, 1);
    audio->update(0.0);  // what both outputs reported when they opened
    ASSERT_EQ(queued(), 0u);
    const short samples[2] = {1, 2};
    spare->writeToOutput(samples, 2);  // waits: the workers are not running yet
    delete spare;
    output->resume();  // the spare's context was current

    jobber->start();
    for (int wait = 0; wait < 500 && queued() == 0; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(queued(), 1u);
    orvo::Locator::deregisterService<orvo::Jobber>();
}

TEST_F(AudioSystemState, UpdateWithoutOutputLeavesTheQueue) {
    audio->shutdown();
    EXPECT_TRUE(audio->isSuspended());
    EXPECT_TRUE(audio->getSources().empty());
    ASSERT_TRUE(AudioSystemMessage::post(AudioSystemMessage::OUTPUT_READY));
    const std::size_t before = queued();
    audio->update(0.0);
    EXPECT_EQ(queued(), before);
}

TEST_F(AudioSystemState, SourcesComeAndGo) {
    const boost::shared_ptr<orvo::Source> source = audio->createSource();
    ASSERT_TRUE(source);
    EXPECT_EQ(source->getState(), orvo::Source::STATE_STOPPED);
    EXPECT_EQ(source->getAlSource(), 0u);  // made by the first attachBuffer
    EXPECT_EQ(audio->getSources().size(), 33u);
    EXPECT_TRUE(audio->destroySource(source));
    EXPECT_FALSE(audio->destroySource(source));
    EXPECT_EQ(audio->getSources().size(), 32u);
    const boost::shared_ptr<orvo::Source> stranger(new orvo::Source());
    EXPECT_FALSE(audio->destroySource(stranger));
}

TEST_F(AudioSystemState, ASourceThatCannotBeRecordedIsNotHandedOut) {
    if (!trellin_test::OPERATORS_REPLACED) {
        GTEST_SKIP() << "categorised allocations use the standard heap in this build";
    }
    // A full list of sources, whose next source needs new storage larger than a source.
    while (audio->getSources().size() < audio->getSources().capacity()) {
        ASSERT_TRUE(audio->createSource());
    }
    const std::size_t count = audio->getSources().size();
    const std::size_t grown = (count + 1) * sizeof(boost::shared_ptr<orvo::Source>);
    {
        // Every pool of category 0 full but the first that a source fits, too small for the
        // grown list: the source can be made, the list cannot grow.
        using orvo::MemoryManager;
        const MemoryManager::CategoryLocation& pools = MemoryManager::CATEGORY_LOCATIONS[0];
        std::vector<std::unique_ptr<trellin_test::FilledAllocator>> full;
        bool sourcePoolLeft = false;
        for (int index = pools.first; index <= pools.last; ++index) {
            const std::size_t blockSize = MemoryManager::ALLOCATORS[index].size;
            if (!sourcePoolLeft && blockSize >= sizeof(orvo::Source)) {
                ASSERT_LT(blockSize, grown);
                sourcePoolLeft = true;
            } else {
                full.push_back(std::make_unique<trellin_test::FilledAllocator>(index));
            }
        }
        EXPECT_FALSE(audio->createSource());
        EXPECT_EQ(audio->getSources().size(), count);
    }
    EXPECT_TRUE(audio->createSource());
    EXPECT_EQ(audio->getSources().size(), count + 1);
}

TEST(AudioOutputOpenAl, ErrorTexts) {
    EXPECT_STREQ(orvo::AudioOutputOpenAl::getAlErrorString(0), "ALC_NO_ERROR");
    EXPECT_STREQ(orvo::AudioOutputOpenAl::getAlErrorString(40961), "ALC_INVALID_DEVICE");
    EXPECT_STREQ(orvo::AudioOutputOpenAl::getAlErrorString(40962), "ALC_INVALID_CONTEXT");
    EXPECT_STREQ(orvo::AudioOutputOpenAl::getAlErrorString(40963), "ALC_INVALID_ENUM");
    EXPECT_STREQ(orvo::AudioOutputOpenAl::getAlErrorString(40964), "ALC_INVALID_VALUE");
    EXPECT_STREQ(orvo::AudioOutputOpenAl::getAlErrorString(40965), "ALC_OUT_OF_MEMORY");
    EXPECT_STREQ(orvo::AudioOutputOpenAl::getAlErrorString(40966), "Unknown error code");
}

}  // namespace
}  // namespace audiotest
