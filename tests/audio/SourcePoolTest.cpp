#include "AudioTestSupport.h"
#include "audio/Source.h"
#include "audio/SourcePool.h"

namespace audiotest {
namespace {

using orvo::SourcePool;

typedef boost::shared_ptr<orvo::Sound> SoundPtr;

class SourcePoolChoice : public AudioFixture {
protected:
    const SourcePool::SourceStatus& entry(std::size_t i) const {
        return SourcePool::getEntries()[i];
    }

    // Index of the entry holding the sound's newest source.
    std::size_t entryOfLastSource(const orvo::Sound& sound) const {
        const boost::shared_ptr<orvo::Source>& source =
            sound.getSources()[sound.getSources().size() - 1];
        for (std::size_t i = 0; i < SourcePool::getEntries().size(); ++i) {
            if (entry(i).source == source) {
                return i;
            }
        }
        return SIZE_MAX;
    }

    bool holds(const orvo::Sound& sound, const boost::shared_ptr<orvo::Source>& source) const {
        for (const auto& held : sound.getSources()) {
            if (held == source) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(SourcePoolChoice, HandsOutFreeEntriesInOrderThenStealsTheOldest) {
    ASSERT_EQ(SourcePool::getEntries().size(), 32u);
    EXPECT_EQ(audio->getSources().size(), 32u);
    const SoundPtr busy = makeSound("busy");
    for (std::size_t i = 0; i < 32; ++i) {
        ASSERT_TRUE(busy->play(false));
        EXPECT_EQ(entryOfLastSource(*busy), i);
        EXPECT_EQ(entry(i).owner, busy.get());
        EXPECT_EQ(entry(i).priority, 0);
    }
    EXPECT_EQ(busy->getSources().size(), 32u);

    // Every voice "plays" (the end of a sample is not observed): the oldest is stolen.
    const boost::shared_ptr<orvo::Source> oldest = entry(0).source;
    const SoundPtr next = makeSound("next");
    ASSERT_TRUE(next->play(false));
    EXPECT_EQ(next->getSources()[0], oldest);
    EXPECT_FALSE(holds(*busy, oldest));
    EXPECT_EQ(busy->getSources().size(), 31u);
    EXPECT_EQ(entry(0).owner, next.get());
    EXPECT_GT(entry(0).stamp, entry(31).stamp);

    // The next oldest goes next, also when the same sound held it.
    ASSERT_TRUE(busy->play(false));
    EXPECT_EQ(entryOfLastSource(*busy), 1u);
    EXPECT_EQ(busy->getSources().size(), 31u);
}

TEST_F(SourcePoolChoice, PriorityGuardsVoicesAndALowerSoundTakesTheFirstEntry) {
    const SoundPtr high = makeSound("high", 5);
    const SoundPtr low = makeSound("low", 0);
    ASSERT_TRUE(high->play(true));
    ASSERT_TRUE(high->play(true));
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(low->play(true));
    }
    // Entries 0 and 1 outrank the low sound: it steals its own oldest, entry 2.
    const boost::shared_ptr<orvo::Source> third = entry(2).source;
    ASSERT_TRUE(low->play(true));
    EXPECT_EQ(low->getSources()[low->getSources().size() - 1], third);
    EXPECT_EQ(high->getSources().size(), 2u);

    // A sound below every entry's priority takes the first entry whatever it holds.
    low->stop();
    high->stop();
    for (int i = 0; i < 32; ++i) {
        ASSERT_TRUE(high->play(true));
    }
    EXPECT_EQ(entryOfLastSource(*high), 31u);
    const boost::shared_ptr<orvo::Source> first = entry(0).source;
    ASSERT_TRUE(low->play(false));
    EXPECT_EQ(low->getSources()[0], first);
    EXPECT_FALSE(holds(*high, first));
    EXPECT_EQ(entry(0).priority, 0);
}

TEST_F(SourcePoolChoice, StoppedVoicesAreReusedAtOnce) {
    const SoundPtr a = makeSound("a");
    const SoundPtr b = makeSound("b");
    for (int i = 0; i < 32; ++i) {
        ASSERT_TRUE((i < 3 ? a : b)->play(true));
    }
    a->stop();
    EXPECT_TRUE(a->getSources().empty());
    EXPECT_EQ(entry(0).source->getState(), orvo::Source::STATE_STOPPED);
    EXPECT_NE(entry(0).stamp, 0u);  // keeps its stamp
    ASSERT_TRUE(b->play(true));
    EXPECT_EQ(entryOfLastSource(*b), 0u);
    EXPECT_EQ(b->getSources().size(), 30u);
}

TEST_F(SourcePoolChoice, ALoopingSoundPausedAndPlayedAgainKeepsItsVoice) {
    const SoundPtr loop = makeSound("loop");
    ASSERT_TRUE(loop->play(true));
    const boost::shared_ptr<orvo::Source> voice = loop->getSources()[0];
    EXPECT_TRUE(voice->isLooping());
    EXPECT_EQ(sourceValue(voice->getAlSource(), AL_LOOPING), AL_TRUE);
    loop->pause();
    EXPECT_EQ(voice->getState(), orvo::Source::STATE_PAUSED);
    EXPECT_EQ(sourceValue(voice->getAlSource(), AL_SOURCE_STATE), AL_PAUSED);
    const uint32_t stamp = entry(0).stamp;
    ASSERT_TRUE(loop->play(false));
    ASSERT_EQ(loop->getSources().size(), 1u);
    EXPECT_EQ(loop->getSources()[0], voice);
    EXPECT_EQ(voice->getState(), orvo::Source::STATE_PLAYING);
    EXPECT_EQ(sourceValue(voice->getAlSource(), AL_SOURCE_STATE), AL_PLAYING);
    EXPECT_EQ(entry(0).stamp, stamp);
    EXPECT_EQ(entry(1).stamp, 0u);
}

TEST_F(SourcePoolChoice, ADestroyedSoundLeavesNoOwnerBehind) {
    SoundPtr gone = makeSound("gone");
    for (int i = 0; i < 32; ++i) {
        ASSERT_TRUE(gone->play(true));
    }
    const boost::shared_ptr<orvo::Source> voice = entry(5).source;
    orvo::Sound* address = gone.get();
    gone.reset();
    // Stopped on the way out, and its entries are free again.
    EXPECT_EQ(voice->getState(), orvo::Source::STATE_STOPPED);
    EXPECT_EQ(sourceValue(voice->getAlSource(), AL_SOURCE_STATE), AL_INITIAL);
    for (const auto& e : SourcePool::getEntries()) {
        EXPECT_NE(e.owner, address);
        EXPECT_EQ(e.stamp, 0u);
    }
    // Stealing from the entries afterwards must not reach the destroyed sound.
    const SoundPtr after = makeSound("after");
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(after->play(true));
    }
    EXPECT_EQ(after->getSources().size(), 32u);
}

TEST_F(SourcePoolChoice, APoolTakesItsOwnEntriesAwayWhenItGoes) {
    const SoundPtr sound = makeSound("sound");
    ASSERT_TRUE(sound->play(true));
    {
        SourcePool extra(3);
        EXPECT_EQ(SourcePool::getEntries().size(), 35u);
        EXPECT_EQ(audio->getSources().size(), 35u);
    }
    ASSERT_EQ(SourcePool::getEntries().size(), 32u);
    EXPECT_EQ(audio->getSources().size(), 32u);
    // The handler's entries keep their order and state.
    EXPECT_EQ(entry(0).owner, sound.get());
    EXPECT_EQ(entry(0).source, sound->getSources()[0]);

    orvo::Locator::deregisterService<orvo::SoundHandler>();
    EXPECT_TRUE(SourcePool::getEntries().empty());
    EXPECT_TRUE(audio->getSources().empty());
    SoundPtr orphan = makeSound("orphan");
    EXPECT_FALSE(orphan->play(false));  // an empty pool gives no voice
}

TEST_F(SourcePoolChoice, ReleasedSourcesAreFree) {
    const SoundPtr sound = makeSound("sound", 7);
    ASSERT_TRUE(sound->play(true));
    SourcePool::releaseSource(entry(0).source);
    EXPECT_EQ(entry(0).stamp, 0u);
    EXPECT_EQ(entry(0).priority, SourcePool::FREE_PRIORITY);
    EXPECT_EQ(entry(0).owner, nullptr);
}

}  // namespace
}  // namespace audiotest
