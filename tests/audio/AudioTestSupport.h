#pragma once

#include <al.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "audio/AudioOutputOpenAl.h"
#include "audio/AudioSystem.h"
#include "audio/Buffer.h"
#include "audio/Sound.h"
#include "audio/SoundHandler.h"
#include "core/file/FileBase.h"
#include "core/locator/ServiceSingleton.h"
#include "core/maths/ZqMaths.h"

namespace audiotest {

typedef std::vector<unsigned char> Bytes;

inline void put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}

inline void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFFu);
    put16(b, v >> 16);
}

inline void putTag(Bytes& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

// "RIFF", size, "WAVE": the start of every image.
inline Bytes riff() {
    Bytes b;
    putTag(b, "RIFF");
    put32(b, 0);
    putTag(b, "WAVE");
    return b;
}

// A chunk header with the given declared size and the body bytes actually present.
inline void chunk(Bytes& b, const char* tag, uint32_t declared, const Bytes& body) {
    putTag(b, tag);
    put32(b, declared);
    b.insert(b.end(), body.begin(), body.end());
}

struct Format {
    uint32_t format = 1;
    uint32_t channels = 1;
    uint32_t rate = 22050;
    uint32_t bits = 16;
};

// The 16 bytes every "fmt " body starts with.
inline Bytes fmtBody(const Format& f = Format()) {
    Bytes b;
    put16(b, f.format);
    put16(b, f.channels);
    put32(b, f.rate);
    put32(b, f.rate * f.channels * f.bits / 8);
    put16(b, f.channels * f.bits / 8);
    put16(b, f.bits);
    return b;
}

inline void fmt(Bytes& b, const Format& f = Format()) { chunk(b, "fmt ", 16, fmtBody(f)); }

// A data chunk whose body is `present` bytes of a ramp.
inline void data(Bytes& b, uint32_t declared, uint32_t present) {
    Bytes body(present);
    for (uint32_t i = 0; i < present; ++i) {
        body[i] = static_cast<unsigned char>(i * 7 + 1);
    }
    chunk(b, "data", declared, body);
}

inline void data(Bytes& b, uint32_t size) { data(b, size, size); }

// RIFF header, "fmt " and a data chunk of `size` bytes.
inline Bytes canonical(uint32_t size = 100, const Format& f = Format()) {
    Bytes b = riff();
    fmt(b, f);
    data(b, size);
    return b;
}

// The canonical image with one field of its format changed.
inline Bytes withFormat(uint32_t Format::*field, uint32_t value) {
    Format f;
    f.*field = value;
    return canonical(100, f);
}

// A mono 16-bit image of the given samples.
inline Bytes wavOf(const std::vector<short>& samples, uint32_t rate) {
    Bytes b = riff();
    Format f;
    f.rate = rate;
    fmt(b, f);
    Bytes body;
    for (short s : samples) {
        put16(body, static_cast<uint16_t>(s));
    }
    chunk(b, "data", static_cast<uint32_t>(body.size()), body);
    return b;
}

inline orvo::Array<unsigned char> toArray(const Bytes& bytes) {
    orvo::Array<unsigned char> a(orvo::Buffer::MEMORY_CATEGORY);
    for (unsigned char c : bytes) {
        a.pushBack(c);
    }
    return a;
}

inline ALint bufferValue(ALuint buffer, ALenum what) {
    ALint value = -1;
    alGetBufferi(buffer, what, &value);
    return value;
}

inline ALint sourceValue(ALuint source, ALenum what) {
    ALint value = -1;
    alGetSourcei(source, what, &value);
    return value;
}

// How many draws the generator made since it was seeded with `seed`, judged by the value it
// draws next (`next`); -1 when not within `limit` draws.
inline int drawsSince(unsigned seed, int next, int limit = 64) {
    orvo::ZqMaths::setRandomSeed(seed);
    for (int n = 0; n <= limit; ++n) {
        int r = -1;
        orvo::ZqMaths::unitRandom(0, &r);
        if (r == next) {
            return n;
        }
    }
    return -1;
}

inline int nextDraw() {
    int r = -1;
    orvo::ZqMaths::unitRandom(0, &r);
    return r;
}

// The audio system with an OpenAL output and the sound handler with its pool, as start-up makes
// them; torn down in the order of the application's shutdown. Files go to a folder of this
// process, which is the root path.
class AudioFixture : public ::testing::Test {
protected:
    void SetUp() override {
        audio = orvo::Locator::registerService<orvo::AudioSystem>("AudioSystem");
        ASSERT_NE(audio, nullptr);
        output.reset(new orvo::AudioOutputOpenAl(4096, 22050, 1));
        ASSERT_TRUE(audio->initialise(output));
        handler = orvo::Locator::registerService<orvo::SoundHandler>("SoundHandler");
        ASSERT_NE(handler, nullptr);
        directory = ::testing::TempDir() + "trellin_audio_" + std::to_string(getpid()) + "/";
        mkdir(directory.c_str(), 0700);
        orvo::FileBase::setRootPath(orvo::ZqString(directory.c_str()));
    }

    void TearDown() override {
        audio->shutdown();
        output.reset();
        orvo::Locator::deregisterService<orvo::SoundHandler>();
        orvo::Locator::deregisterService<orvo::AudioSystem>();
        for (const std::string& name : written) {
            std::remove((directory + name).c_str());
        }
        rmdir(directory.c_str());
    }

    void writeFile(const std::string& name, const Bytes& bytes) {
        FILE* f = std::fopen((directory + name).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        std::fclose(f);
        written.push_back(name);
    }

    // A sound over a silent buffer of its own, with the given priority.
    boost::shared_ptr<orvo::Sound> makeSound(const char* name, int priority = 0) {
        boost::shared_ptr<orvo::Sound> sound(
            new orvo::Sound(orvo::HashString(name), audio->createBuffer(64, 22050, name)));
        sound->setPriority(priority);
        return sound;
    }

    orvo::AudioSystem* audio = nullptr;
    orvo::SoundHandler* handler = nullptr;
    boost::shared_ptr<orvo::AudioOutput> output;
    std::string directory;
    std::vector<std::string> written;
};

}  // namespace audiotest
