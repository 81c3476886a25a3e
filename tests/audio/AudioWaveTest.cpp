#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <thread>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

constexpr double TONE_HZ = 440.0;
constexpr uint32_t TONE_RATE = 22050;

// OpenAL's wave-file device writes the mix to a file named by its configuration, which this
// program's environment points at; it must exist before the first OpenAL call.
class WaveOutput : public AudioFixture {
protected:
    void SetUp() override {
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        outPath = std::string(cwd) + "/audio_wave_out.wav";
        std::remove(outPath.c_str());
        std::ofstream conf("audio_wave.conf");
        conf << "[wave]\nfile = " << outPath << "\n";
        conf.close();
        AudioFixture::SetUp();
    }

    std::string outPath;
};

struct Mix {
    uint32_t rate = 0;
    uint32_t channels = 0;
    std::vector<float> left;
};

// Reads the first channel of the written file (float or 16-bit samples).
Mix readMix(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const Bytes b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Mix mix;
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0) {
        return mix;
    }
    auto u16 = [&](std::size_t p) { return uint32_t(b[p]) | uint32_t(b[p + 1]) << 8; };
    auto u32 = [&](std::size_t p) { return u16(p) | u16(p + 2) << 16; };
    uint32_t format = 0;
    uint32_t bits = 0;
    std::size_t pos = 12;
    while (pos + 8 <= b.size()) {
        const uint32_t size = u32(pos + 4);
        if (std::memcmp(&b[pos], "fmt ", 4) == 0) {
            format = u16(pos + 8);
            mix.channels = u16(pos + 10);
            mix.rate = u32(pos + 12);
            bits = u16(pos + 22);
            if (format == 0xFFFE) {
                format = u16(pos + 32);  // the sub-format's first word
            }
        } else if (std::memcmp(&b[pos], "data", 4) == 0 && mix.channels != 0) {
            const std::size_t frame = mix.channels * bits / 8;
            const std::size_t end = std::min(b.size(), pos + 8 + std::size_t(size));
            for (std::size_t p = pos + 8; p + frame <= end; p += frame) {
                if (format == 3 && bits == 32) {
                    float f;
                    std::memcpy(&f, &b[p], 4);
                    mix.left.push_back(f);
                } else if (format == 1 && bits == 16) {
                    mix.left.push_back(static_cast<int16_t>(u16(p)) / 32768.0f);
                }
            }
            break;
        }
        pos += 8 + size;
    }
    return mix;
}

TEST_F(WaveOutput, APlayedToneReachesTheDeviceAtItsPitch) {
    std::vector<short> tone(TONE_RATE);  // one second
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = static_cast<short>(16000.0 * std::sin(2.0 * M_PI * TONE_HZ * i / TONE_RATE));
    }
    writeFile("tone.wav", wavOf(tone, TONE_RATE));
    const boost::shared_ptr<orvo::Sound> sound = handler->createSound("tone.wav", "tone");
    ASSERT_TRUE(sound);
    ASSERT_TRUE(sound->play(false));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    // Closing the device completes the file.
    audio->shutdown();
    output.reset();

    const Mix mix = readMix(outPath);
    ASSERT_GT(mix.rate, 0u);
    ASSERT_FALSE(mix.left.empty());
    std::size_t first = mix.left.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < mix.left.size(); ++i) {
        if (std::fabs(mix.left[i]) > 0.02f) {
            first = std::min(first, i);
            last = i;
        }
    }
    ASSERT_LT(first, last) << "the mix is silent";
    const double seconds = double(last - first) / mix.rate;
    EXPECT_NEAR(seconds, 1.0, 0.05);

    double energy = 0.0;
    int crossings = 0;
    for (std::size_t i = first; i <= last; ++i) {
        energy += double(mix.left[i]) * mix.left[i];
        if (i > first && (mix.left[i - 1] < 0.0f) != (mix.left[i] < 0.0f)) {
            ++crossings;
        }
    }
    EXPECT_GT(std::sqrt(energy / double(last - first + 1)), 0.05);
    EXPECT_NEAR(crossings / 2.0 / seconds, TONE_HZ, TONE_HZ * 0.02);
}

}  // namespace
}  // namespace audiotest
