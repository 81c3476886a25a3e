#include <functional>

#include "AudioTestSupport.h"
#include "audio/Source.h"

namespace audiotest {
namespace {

typedef boost::shared_ptr<orvo::Sound> SoundPtr;

class SoundDraws : public AudioFixture {};

// The generator is shared with the track population: every play and setter draws a fixed
// number of values, also when a range is zero.
TEST_F(SoundDraws, PlaysAndSettersDrawAFixedNumberOfValues) {
    const SoundPtr sound = makeSound("sound");
    struct Step {
        const char* what;
        std::function<void()> run;
        int draws;
    };
    const orvo::ZqVector<3> zero;
    const Step steps[] = {
        {"setter without voices", [&] { sound->setAmplitude(1.0f, 0.0f); }, 0},
        {"position without voices", [&] { sound->setPosition(zero, zero); }, 0},
        {"first play", [&] { ASSERT_TRUE(sound->play(true)); }, 6},
        {"second play", [&] { ASSERT_TRUE(sound->play(true)); }, 6},
        {"amplitude, two voices", [&] { sound->setAmplitude(1.0f, 0.0f); }, 2},
        {"pitch, two voices", [&] { sound->setRelativePitch(1.0f, 0.0f); }, 2},
        {"position, two voices", [&] { sound->setPosition(zero, zero); }, 6},
        {"pause", [&] { sound->pause(); }, 0},
        {"play while paused", [&] { ASSERT_TRUE(sound->play(false)); }, 0},
        {"stop", [&] { sound->stop(); }, 0},
    };
    unsigned seed = 100;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        orvo::ZqMaths::setRandomSeed(++seed);
        step.run();
        EXPECT_EQ(drawsSince(seed, nextDraw()), step.draws);
    }

    sound->addBuffer("second", audio->createBuffer(64, 22050, "second"));
    sound->addBuffer("third", audio->createBuffer(64, 22050, "third"));
    orvo::ZqMaths::setRandomSeed(7);
    ASSERT_TRUE(sound->play(false));
    EXPECT_EQ(drawsSince(7, nextDraw()), 6);

    orvo::Locator::deregisterService<orvo::SoundHandler>();  // empty pool
    orvo::ZqMaths::setRandomSeed(8);
    EXPECT_FALSE(sound->play(false));
    EXPECT_EQ(drawsSince(8, nextDraw()), 0);
}

TEST_F(SoundDraws, GainAndPitchVaryWithinTheirRanges) {
    const SoundPtr sound = makeSound("sound");
    sound->setAmplitude(0.5f, 0.5f);
    sound->setRelativePitch(0.8f, 0.4f);
    for (unsigned seed = 1; seed <= 20; ++seed) {
        orvo::ZqMaths::setRandomSeed(seed);
        ASSERT_TRUE(sound->play(false));
    }
    sound->setAmplitude(0.5f, 0.5f);
    for (const auto& source : sound->getSources()) {
        EXPECT_GE(source->getGain(), 0.5f);
        EXPECT_LE(source->getGain(), 1.0f);
        EXPECT_GE(source->getPitch(), 0.8f);
        EXPECT_LE(source->getPitch(), 1.2f);
        ALfloat gain = -1.0f;
        alGetSourcef(source->getAlSource(), AL_GAIN, &gain);
        EXPECT_EQ(gain, source->getGain());
        ALfloat pitch = -1.0f;
        alGetSourcef(source->getAlSource(), AL_PITCH, &pitch);
        EXPECT_EQ(pitch, source->getPitch());
    }
    // Drawn as base + unit draw x range, gain then pitch, after the variation pick.
    sound->stop();
    orvo::ZqMaths::setRandomSeed(99);
    orvo::ZqMaths::unitRandom();
    const float gain = 0.5f + orvo::ZqMaths::unitRandom() * 0.5f;
    const float pitch = 0.8f + orvo::ZqMaths::unitRandom() * 0.4f;
    orvo::ZqMaths::setRandomSeed(99);
    ASSERT_TRUE(sound->play(false));
    EXPECT_EQ(sound->getSources()[0]->getGain(), gain);
    EXPECT_EQ(sound->getSources()[0]->getPitch(), pitch);
}

TEST_F(SoundDraws, TheLastVariationNeedsTheTopOfTheDraw) {
    const boost::shared_ptr<orvo::Buffer> first = audio->createBuffer(64, 22050, "first");
    const boost::shared_ptr<orvo::Buffer> second = audio->createBuffer(64, 22050, "second");
    const SoundPtr sound(new orvo::Sound("two", first));
    sound->addBuffer("second", second);

    // Seeds whose first draw is below and at the top (32766 or 32767) of the range.
    unsigned low = 0;
    unsigned top = 0;
    for (unsigned seed = 1; (low == 0 || top == 0) && seed < 2000000; ++seed) {
        orvo::ZqMaths::setRandomSeed(seed);
        (nextDraw() >= 32766 ? top : low) = seed;
    }
    ASSERT_NE(top, 0u);
    orvo::ZqMaths::setRandomSeed(low);
    ASSERT_TRUE(sound->play(false));
    EXPECT_EQ(sound->getSources()[0]->getBuffer(), first);
    sound->stop();
    orvo::ZqMaths::setRandomSeed(top);
    ASSERT_TRUE(sound->play(false));
    EXPECT_EQ(sound->getSources()[0]->getBuffer(), second);
    EXPECT_EQ(sourceValue(sound->getSources()[0]->getAlSource(), AL_BUFFER),
              static_cast<ALint>(second->getAlBuffer()));
}

}  // namespace
}  // namespace audiotest
