#include "AudioTestSupport.h"
#include "audio/Source.h"

namespace audiotest {
namespace {

// This program runs without any OpenAL backend, so the output cannot open.
class NoDevice : public AudioFixture {};

TEST_F(NoDevice, TheSystemRunsUnsuspendedAndSoundsPlaySilently) {
    const auto* openAl = static_cast<orvo::AudioOutputOpenAl*>(output.get());
    EXPECT_FALSE(openAl->isReady());
    EXPECT_FALSE(audio->isSuspended());
    audio->update(0.0);
    EXPECT_FALSE(audio->isOutputReady());

    writeFile("tone.wav", wavOf(std::vector<short>(100, 1000), 22050));
    const boost::shared_ptr<orvo::Sound> sound = handler->createSound("tone.wav", "tone");
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->getVariations()[0].value->getAlBuffer(), 0u);
    ASSERT_TRUE(sound->play(true));
    EXPECT_EQ(sound->getSources()[0]->getState(), orvo::Source::STATE_PLAYING);
    EXPECT_TRUE(audio->pauseAll());
    handler->suspend();
    handler->resume();
    sound->stop();
}

}  // namespace
}  // namespace audiotest
