#include "AudioTestSupport.h"
#include "audio/Source.h"
#include "audio/SourcePool.h"

namespace audiotest {
namespace {

typedef boost::shared_ptr<orvo::Sound> SoundPtr;

class SoundHandlerFiles : public AudioFixture {
protected:
    void SetUp() override {
        AudioFixture::SetUp();
        const Bytes b = canonical(200);
        writeFile("boom.wav", b);
        writeFile("bang.wav", b);
        writeFile("bad.wav", riff());
    }

    unsigned references(const char* path) const {
        const int index = handler->getBufferReferences().indexOf(path);
        return index < 0 ? 0u : handler->getBufferReferences()[index].value;
    }
};

TEST_F(SoundHandlerFiles, SoundsFromOneFileShareItsBuffer) {
    const SoundPtr first = handler->createSound("boom.wav", "first");
    const SoundPtr second = handler->createSound("boom.wav", "second");
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(first->getVariations()[0].value, second->getVariations()[0].value);
    EXPECT_EQ(first->getVariations()[0].name, orvo::HashString("first"));
    EXPECT_EQ(audio->getNamedBuffers().size(), 1u);
    EXPECT_EQ(references("boom.wav"), 2u);
    EXPECT_EQ(handler->getSound("second"), second);
    EXPECT_FALSE(handler->getSound("third"));

    // A taken name keeps the first sound and the counts.
    EXPECT_FALSE(handler->createSound("bang.wav", "first"));
    EXPECT_EQ(handler->getSound("first"), first);
    EXPECT_EQ(references("bang.wav"), 0u);
    EXPECT_EQ(references("boom.wav"), 2u);

    EXPECT_FALSE(handler->createSound("bad.wav", "bad"));
    EXPECT_FALSE(handler->createSound("missing.wav", "missing"));
    EXPECT_FALSE(handler->getSound("bad"));
}

TEST_F(SoundHandlerFiles, SamplesAddVariationsByPath) {
    const SoundPtr sound = handler->createSound("boom.wav", "boom");
    ASSERT_TRUE(sound);
    sound->addSample("bang.wav");
    EXPECT_TRUE(handler->addFileToSound("boom", "boom.wav"));
    EXPECT_FALSE(handler->addFileToSound("boom", "bad.wav"));
    EXPECT_FALSE(handler->addFileToSound("nothing", "bang.wav"));
    ASSERT_EQ(sound->getVariations().size(), 3u);
    EXPECT_EQ(sound->getVariations()[1].name, orvo::HashString("bang.wav"));
    EXPECT_EQ(sound->getVariations()[2].value, sound->getVariations()[0].value);
    EXPECT_EQ(audio->getNamedBuffers().size(), 2u);
}

TEST_F(SoundHandlerFiles, DestroyingASoundStopsItAndTakesItsCountsBack) {
    SoundPtr sound = handler->createSound("boom.wav", "boom");
    const SoundPtr other = handler->createSound("boom.wav", "other");
    ASSERT_TRUE(sound);
    sound->addSample("bang.wav");
    ASSERT_TRUE(sound->play(true));
    const boost::shared_ptr<orvo::Source> voice = sound->getSources()[0];
    orvo::Sound* address = sound.get();
    sound.reset();

    handler->destroySound("boom");
    EXPECT_FALSE(handler->getSound("boom"));
    EXPECT_EQ(handler->getSound("other"), other);
    EXPECT_EQ(references("boom.wav"), 1u);
    EXPECT_EQ(references("bang.wav"), 0u);
    handler->destroySound("boom");  // absent: nothing
    // Buffers live on until the audio system shuts down.
    EXPECT_EQ(audio->getNamedBuffers().size(), 2u);
    EXPECT_EQ(voice->getState(), orvo::Source::STATE_STOPPED);
    EXPECT_FALSE(voice->getBuffer());
    for (const auto& e : orvo::SourcePool::getEntries()) {
        EXPECT_NE(e.owner, address);
    }
}

TEST_F(SoundHandlerFiles, PauseAllAndUnpauseAllGoThroughTheSounds) {
    const SoundPtr a = handler->createSound("boom.wav", "a");
    const SoundPtr b = handler->createSound("bang.wav", "b");
    ASSERT_TRUE(a->play(true));
    handler->pauseAll();
    EXPECT_TRUE(a->isPaused());
    EXPECT_TRUE(b->isPaused());
    EXPECT_EQ(a->getSources()[0]->getState(), orvo::Source::STATE_PAUSED);
    handler->unpauseAll();
    EXPECT_FALSE(a->isPaused());
    EXPECT_EQ(a->getSources()[0]->getState(), orvo::Source::STATE_PLAYING);
    EXPECT_TRUE(b->getSources().empty());  // unpausing starts no new voice
}

}  // namespace
}  // namespace audiotest
