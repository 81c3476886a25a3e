#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/file/BinaryFile.h"
#include "core/file/PakFile.h"
#include "tools/datawriter/PakWriter.h"

using namespace orvo;

namespace {

constexpr uint32_t MEMBER_SIZE = 10u << 20;
const char* const MEMBER = "Data/big.bin";
const char* const DISK_PAK = "/tmp/trellin-bench-files.pak";

// Text-like bytes (words from a small vocabulary) that compress about as game data does.
trellin::Bytes memberBytes() {
    static const char* const WORDS[] = {"vertex ", "normal ", "0.125 ",  "-1.5 ", "lane ",
                                        "tile\n",  "uv 0.5 ", "colour ", "3 ",    "material "};
    trellin::Bytes bytes;
    bytes.reserve(MEMBER_SIZE + 16);
    uint32_t x = 12345;
    while (bytes.size() < MEMBER_SIZE) {
        x = x * 1103515245u + 12345u;
        for (const char* w = WORDS[(x >> 16) % 10]; *w != '\0'; ++w) {
            bytes.push_back(static_cast<uint8_t>(*w));
        }
    }
    bytes.resize(MEMBER_SIZE);
    return bytes;
}

struct Fixture {
    trellin::Bytes image;
    trellin::Bytes packed;
    Fixture() {
        std::string error;
        trellin::buildPak({{MEMBER, memberBytes()}}, image, error);
        // One member: its packed bytes start right after the header and the one entry.
        const uint32_t packedSize = trellin::getU32(image, 16);
        packed.assign(image.begin() + 24, image.begin() + 24 + packedSize);
        trellin::writeFileBytes(DISK_PAK, image, error);
        FileBase::registerRamPakFile("bench.pak", image.data(), uint32_t(image.size()));
    }
    ~Fixture() { std::remove(DISK_PAK); }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void readThroughEngine(benchmark::State& state, const char* root) {
    fixture();
    FileBase::closePakFile();
    FileBase::setRootPath(root);
    std::vector<unsigned char> out(MEMBER_SIZE);
    for (auto _ : state) {
        BinaryFile file;
        if (!file.open(MEMBER) || file.read(out.data(), 1, MEMBER_SIZE) != MEMBER_SIZE) {
            state.SkipWithError("engine read failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * MEMBER_SIZE);
}

void BM_EngineMemberFromMemoryImage(benchmark::State& state) {
    readThroughEngine(state, "bench.pak");
}
void BM_EngineMemberFromFile(benchmark::State& state) { readThroughEngine(state, DISK_PAK); }

void BM_ZlibUncompress(benchmark::State& state) {
    const Fixture& f = fixture();
    std::vector<unsigned char> out(MEMBER_SIZE);
    for (auto _ : state) {
        uLongf n = MEMBER_SIZE;
        if (uncompress(out.data(), &n, f.packed.data(), uLong(f.packed.size())) != Z_OK ||
            n != MEMBER_SIZE) {
            state.SkipWithError("uncompress failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * MEMBER_SIZE);
}

}  // namespace

BENCHMARK(BM_ZlibUncompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineMemberFromMemoryImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineMemberFromFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
