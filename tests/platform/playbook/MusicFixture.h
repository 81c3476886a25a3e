#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/playbook/qnxMMR.h"
#include "tests/platform/playbook/WorkingDirectory.h"

// A temporary working directory holding two short MP3 tracks under audio/ (made from a
// generated tone with lame) and the renderer's call trace.
class MusicFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(here.path().empty());
        ASSERT_EQ(mkdir("audio", 0700), 0);
        ASSERT_TRUE(writeTone("tone.wav"));
        ASSERT_EQ(std::system(
                      "lame --quiet tone.wav audio/tone.mp3 && cp audio/tone.mp3 audio/second.mp3"),
                  0);
        tracePath_ = here.path() + "/trace.txt";
        setenv("TRELLIN_TABLET_TRACE", tracePath_.c_str(), 1);
    }

    // The player's thread must be gone before the process-exit teardown of the audio library;
    // the trace would go on into a folder that is about to go.
    void TearDown() override {
        qnxMMRDestroy();
        unsetenv("TRELLIN_TABLET_TRACE");
    }

    // The renderer calls made so far, one line each.
    std::vector<std::string> trace() const {
        std::vector<std::string> lines;
        std::ifstream in(tracePath_);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // Index of the first line from `from` on that starts with the call's name, or -1.
    static int find(const std::vector<std::string>& lines, const std::string& call,
                    std::size_t from = 0) {
        for (std::size_t i = from; i < lines.size(); ++i) {
            if (lines[i].compare(0, call.size() + 1, call + "(") == 0) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    static int count(const std::vector<std::string>& lines, const std::string& call) {
        int n = 0;
        for (int i = find(lines, call); i >= 0; i = find(lines, call, i + 1)) {
            ++n;
        }
        return n;
    }

    WorkingDirectory here;

private:
    // Half a second of a 440 Hz tone, 16-bit mono at 22050 Hz.
    static bool writeTone(const char* path) {
        const uint32_t rate = 22050;
        const uint32_t frames = rate / 2;
        std::vector<int16_t> samples(frames);
        for (uint32_t i = 0; i < frames; ++i) {
            samples[i] = static_cast<int16_t>(8000.0 * std::sin(2.0 * M_PI * 440.0 * i / rate));
        }
        const uint32_t dataBytes = frames * 2;
        std::FILE* file = std::fopen(path, "wb");
        if (file == nullptr) {
            return false;
        }
        auto u32 = [file](uint32_t v) { std::fwrite(&v, 4, 1, file); };
        auto u16 = [file](uint16_t v) { std::fwrite(&v, 2, 1, file); };
        std::fwrite("RIFF", 1, 4, file);
        u32(36 + dataBytes);
        std::fwrite("WAVEfmt ", 1, 8, file);
        u32(16);
        u16(1);
        u16(1);
        u32(rate);
        u32(rate * 2);
        u16(2);
        u16(16);
        std::fwrite("data", 1, 4, file);
        u32(dataBytes);
        std::fwrite(samples.data(), 2, frames, file);
        return std::fclose(file) == 0;
    }

    std::string tracePath_;
};
