#include "tests/lib/tablet/Mp3Fixture.h"

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void put16(std::ofstream& out, uint16_t v) {
    char b[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
    out.write(b, 2);
}

void put32(std::ofstream& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xffff));
    put16(out, static_cast<uint16_t>(v >> 16));
}

void writeToneWav(const std::string& path, double seconds) {
    const uint32_t rate = 44100;
    const uint32_t frames = static_cast<uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    put32(out, 36 + frames * 2);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, rate);
    put32(out, rate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, frames * 2);
    for (uint32_t i = 0; i < frames; ++i)
        put16(out, static_cast<uint16_t>(
                       static_cast<int16_t>(12000.0 * std::sin(2.0 * M_PI * 440.0 * i / rate))));
}

}  // namespace

std::string makeToneMp3(const std::string& name, double seconds) {
    char cwd[1024];
    if (!getcwd(cwd, sizeof cwd)) return "";
    std::string path = std::string(cwd) + "/" + name;
    if (access(path.c_str(), R_OK) == 0) return path;
    // Made under names of this process and renamed: tests running in parallel share the file.
    std::string own = path + "." + std::to_string(getpid());
    writeToneWav(own + ".wav", seconds);
    std::string command = "lame --quiet '" + own + ".wav' '" + own + "'";
    bool made = std::system(command.c_str()) == 0 && std::rename(own.c_str(), path.c_str()) == 0;
    std::remove((own + ".wav").c_str());
    return made ? path : "";
}
