#include <dirent.h>

#include <cctype>
#include <climits>
#include <cstring>

#include "AudioTestSupport.h"

namespace audiotest {
namespace {

struct WavCase {
    const char* name;
    Bytes image;
    bool ok;
    uint32_t rate;
    uint32_t offset;
    uint32_t dataSize;
    uint32_t alSize;
};

std::vector<WavCase> wavCases() {
    std::vector<WavCase> cases;
    auto add = [&](const char* name, Bytes image, uint32_t rate, uint32_t offset, uint32_t size,
                   uint32_t alSize) {
        cases.push_back(WavCase{name, std::move(image), true, rate, offset, size, alSize});
    };
    // A failed file leaves every field 0.
    auto fail = [&](const char* name, Bytes image) {
        cases.push_back(WavCase{name, std::move(image), false, 0, 0, 0, 0});
    };

    add("canonical", canonical(), 22050, 44, 100, 100);
    {
        Bytes b = riff();
        Bytes body = fmtBody();
        put16(body, 0);  // extension word
        chunk(b, "fmt ", 18, body);
        data(b, 100);
        add("longer fmt", b, 22050, 46, 100, 100);
    }
    {
        Bytes b = riff();
        chunk(b, "fmt ", 14, fmtBody());  // read and skipped as 16 bytes
        data(b, 100);
        add("fmt of 14", b, 22050, 44, 100, 100);
    }
    {
        Bytes b = canonical();
        chunk(b, "LIST", 6, Bytes(6, 'x'));
        add("LIST after data", b, 22050, 44, 100, 100);
    }
    {
        Bytes b = riff();
        chunk(b, "smpl", 5, Bytes(5, 0));  // odd size, no pad byte
        fmt(b);
        data(b, 100);
        add("chunk before fmt", b, 22050, 57, 100, 100);
    }
    {
        Bytes b = riff();
        data(b, 100);
        fmt(b);
        add("data before fmt", b, 22050, 20, 100, 100);
    }
    {
        Bytes b = canonical();
        data(b, 10);
        add("second data overrides", b, 22050, 152, 10, 10);
    }
    add("channel count 0", withFormat(&Format::channels, 0), 22050, 44, 100, 100);
    add("other rate", withFormat(&Format::rate, 48000), 48000, 44, 100, 100);
    add("odd data size", canonical(101), 22050, 44, 101, 100);
    {
        Bytes b = riff();
        fmt(b);
        data(b, 1000, 100);
        add("data longer than file", b, 22050, 44, 100, 100);
    }
    {
        Bytes b = riff();
        fmt(b);
        data(b, 0xFFFFFFFFu, 101);
        add("data size near 2^32", b, 22050, 44, 101, 100);
    }
    {
        Bytes b = canonical();
        chunk(b, "LIST", 0xFFFFFFF8u, Bytes(3, 0));
        add("huge chunk after both", b, 22050, 44, 100, 100);
    }
    {
        Bytes b = canonical();
        b.insert(b.end(), {1, 2, 3, 4, 5});
        add("trailing bytes", b, 22050, 44, 100, 100);
    }

    fail("stereo", withFormat(&Format::channels, 2));
    fail("8-bit", withFormat(&Format::bits, 8));
    fail("float format", withFormat(&Format::format, 3));
    fail("rate 0", withFormat(&Format::rate, 0));
    {
        Bytes b = canonical();
        std::memcpy(b.data(), "RIFX", 4);
        fail("not RIFF", b);
    }
    {
        Bytes b = canonical();
        std::memcpy(b.data() + 8, "AVI ", 4);
        fail("not WAVE", b);
    }
    fail("empty", Bytes());
    {
        Bytes b = riff();
        b.resize(11);
        fail("shorter than the RIFF header", b);
    }
    fail("RIFF header only", riff());
    {
        Bytes b = riff();
        fmt(b);
        fail("no data chunk", b);
    }
    {
        Bytes b = riff();
        data(b, 100);
        fail("no fmt chunk", b);
    }
    {
        Bytes b = riff();
        fmt(b);
        chunk(b, "LIST", 0xFFFFFFF0u, Bytes(40, 0));
        fail("huge chunk before data", b);
    }
    {
        Bytes b = riff();
        Bytes body = fmtBody();
        body.resize(10);
        chunk(b, "fmt ", 16, body);
        fail("truncated fmt body", b);
    }
    {
        Bytes b = riff();
        fmt(b);
        b.insert(b.end(), {'d', 'a', 't', 'a', 4, 0, 0});
        fail("truncated chunk header", b);
    }
    {
        Bytes b = riff();
        for (int i = 0; i < 17; ++i) {
            fmt(b);
        }
        fail("seventeen fmt chunks, no data", b);
    }
    return cases;
}

class WavReading : public AudioFixture {};

TEST_F(WavReading, BufferFieldsAndOpenAlBufferFollowTheChunks) {
    for (const WavCase& c : wavCases()) {
        SCOPED_TRACE(c.name);
        orvo::Array<unsigned char> image = toArray(c.image);
        orvo::Buffer buffer(&image);
        EXPECT_TRUE(image.empty());
        EXPECT_EQ(buffer.getData() != nullptr, c.ok);
        EXPECT_EQ(buffer.getSampleRate(), c.rate);
        EXPECT_EQ(buffer.getDataOffset(), c.offset);
        EXPECT_EQ(buffer.getDataSize(), c.dataSize);
        EXPECT_EQ(buffer.getByteCount(), c.ok ? c.image.size() : 0u);
        if (!c.ok) {
            EXPECT_EQ(buffer.getAlBuffer(), 0u);
            continue;
        }
        ASSERT_NE(buffer.getAlBuffer(), 0u);
        EXPECT_EQ(bufferValue(buffer.getAlBuffer(), AL_SIZE), static_cast<ALint>(c.alSize));
        EXPECT_EQ(bufferValue(buffer.getAlBuffer(), AL_FREQUENCY), static_cast<ALint>(c.rate));
        EXPECT_EQ(bufferValue(buffer.getAlBuffer(), AL_BITS), 16);
        EXPECT_EQ(bufferValue(buffer.getAlBuffer(), AL_CHANNELS), 1);
        EXPECT_EQ(alGetError(), AL_NO_ERROR);
        // The samples are the file's bytes, not a copy.
        EXPECT_EQ(buffer.getData()[buffer.getDataOffset()], c.image[c.offset]);
    }
}

TEST_F(WavReading, AudioSystemReadsFilesThroughTheFileLayer) {
    writeFile("good.wav", canonical());
    writeFile("stereo.wav", withFormat(&Format::channels, 2));
    const boost::shared_ptr<orvo::Buffer> first = audio->createBuffer("good.wav", "a");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->getDataSize(), 100u);
    const boost::shared_ptr<orvo::Buffer> second = audio->createBuffer("good.wav", "a");
    ASSERT_TRUE(second);
    // No duplicate check: two entries, and the first is found.
    EXPECT_EQ(audio->getNamedBuffers().size(), 2u);
    EXPECT_EQ(audio->getBuffer("a"), first);
    EXPECT_FALSE(audio->getBuffer("b"));
    EXPECT_FALSE(audio->destroyBuffer("a"));
    EXPECT_EQ(audio->getBuffer("a"), first);

    EXPECT_FALSE(audio->createBuffer("stereo.wav", "s"));
    EXPECT_FALSE(audio->createBuffer("missing.wav", "m"));
    EXPECT_EQ(audio->getNamedBuffers().size(), 2u);
}

TEST_F(WavReading, BufferFromSamplesTakesThemOver) {
    orvo::Array<short> samples;
    for (short s = 0; s < 50; ++s) {
        samples.pushBack(s);
    }
    orvo::Buffer buffer(&samples, 11025);
    EXPECT_TRUE(samples.empty());
    EXPECT_EQ(buffer.getByteCount(), 100u);
    EXPECT_EQ(buffer.getDataSize(), 100u);
    EXPECT_EQ(buffer.getSampleRate(), 11025u);
    EXPECT_EQ(bufferValue(buffer.getAlBuffer(), AL_SIZE), 100);
    EXPECT_EQ(bufferValue(buffer.getAlBuffer(), AL_FREQUENCY), 11025);
}

TEST_F(WavReading, BufferOfACountIsSilentAndChecked) {
    {
        // Leave loud bytes behind in the buffers' memory first.
        Bytes loud = canonical(4000);
        std::fill(loud.begin() + 44, loud.end(), 0x7F);
        orvo::Array<unsigned char> image = toArray(loud);
        orvo::Buffer used(&image);
        ASSERT_NE(used.getData(), nullptr);
    }
    const boost::shared_ptr<orvo::Buffer> silent = audio->createBuffer(2000, 8000, "silence");
    ASSERT_TRUE(silent);
    ASSERT_NE(silent->getData(), nullptr);
    EXPECT_EQ(silent->getByteCount(), 4000u);
    EXPECT_EQ(bufferValue(silent->getAlBuffer(), AL_SIZE), 4000);
    EXPECT_EQ(bufferValue(silent->getAlBuffer(), AL_FREQUENCY), 8000);
    for (uint32_t i = 0; i < silent->getByteCount(); ++i) {
        ASSERT_EQ(silent->getData()[i], 0) << "byte " << i;
    }

    for (unsigned long count : {ULONG_MAX, ULONG_MAX / 2 + 1, 0x80000000ul}) {
        SCOPED_TRACE(count);
        orvo::Buffer huge(count, 8000);
        EXPECT_EQ(huge.getData(), nullptr);
        EXPECT_EQ(huge.getByteCount(), 0u);
        EXPECT_EQ(huge.getAlBuffer(), 0u);
    }
}

// Files that no one here wrote: Debian's alsa-utils test sounds.
class SystemWavFile : public AudioFixture, public ::testing::WithParamInterface<std::string> {};

TEST_P(SystemWavFile, LoadsAsMono16) {
    if (GetParam().empty()) {
        GTEST_SKIP() << "no system WAV files";
    }
    orvo::FileBase::setRootPath("/usr/share/sounds/alsa/");
    const boost::shared_ptr<orvo::Buffer> buffer =
        audio->createBuffer(orvo::ZqString(GetParam().c_str()), "system");
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->getSampleRate(), 48000u);
    EXPECT_GE(buffer->getDataOffset(), 44u);
    EXPECT_GT(buffer->getDataSize(), 48000u);
    EXPECT_LE(buffer->getDataOffset() + buffer->getDataSize(), buffer->getByteCount());
    EXPECT_EQ(bufferValue(buffer->getAlBuffer(), AL_SIZE),
              static_cast<ALint>(buffer->getUploadSize()));
    EXPECT_EQ(bufferValue(buffer->getAlBuffer(), AL_FREQUENCY), 48000);
}

std::vector<std::string> systemWavFiles() {
    std::vector<std::string> names;
    if (DIR* dir = opendir("/usr/share/sounds/alsa")) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".wav") == 0) {
                names.push_back(name);
            }
        }
        closedir(dir);
    }
    if (names.empty()) {
        names.push_back("");
    }
    return names;
}

std::string fileTestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += c;
        }
    }
    return name.empty() ? "none" : name;
}

INSTANTIATE_TEST_SUITE_P(AlsaUtils, SystemWavFile, ::testing::ValuesIn(systemWavFiles()),
                         fileTestName);

}  // namespace
}  // namespace audiotest
