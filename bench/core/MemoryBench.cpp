// Category allocation and free through the memory manager against the process heap, the plain
// new path and engine strings. "per_pair" is the time of one allocation and its free.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "core/memory/MemoryManager.h"
#include "core/text/ZqString.h"

namespace {

constexpr int BATCH = 64;

// Sizes from 1 to 2048 bytes, the same sequence for every contender.
const std::vector<std::size_t>& mixedSizes() {
    static const std::vector<std::size_t> sizes = [] {
        std::mt19937 generator(42);
        std::vector<std::size_t> result(BATCH);
        for (std::size_t& size : result) {
            size = 1 + generator() % 2048;
        }
        return result;
    }();
    return sizes;
}

// Takes one block of each size, then frees them all, per iteration.
template <class Allocate, class Release>
void allocateAndFree(benchmark::State& state, const std::vector<std::size_t>& sizes,
                     Allocate allocate, Release release) {
    std::vector<void*> blocks(sizes.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            blocks[i] = allocate(sizes[i]);
        }
        benchmark::DoNotOptimize(blocks.data());
        for (void* block : blocks) {
            release(block);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(sizes.size()));
    // With several threads items_per_second is the whole process's rate of pairs instead.
    if (state.threads() == 1) {
        state.counters["per_pair"] = benchmark::Counter(
            static_cast<double>(sizes.size()),
            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    }
}

std::vector<std::size_t> fixedSizes(const benchmark::State& state, int count) {
    return std::vector<std::size_t>(count, static_cast<std::size_t>(state.range(0)));
}

void* categoryZero(std::size_t size) {
    return orvo::MemoryManager::instance()->allocate(size, 1, 0);
}
void managerFree(void* block) { orvo::MemoryManager::instance()->deallocate(block); }
void* plainNew(std::size_t size) { return orvo::MemoryManager::allocatePlain(size); }

void categoryFixed(benchmark::State& state) {
    allocateAndFree(state, fixedSizes(state, BATCH), categoryZero, managerFree);
}

void mallocFixed(benchmark::State& state) {
    allocateAndFree(state, fixedSizes(state, BATCH), std::malloc, std::free);
}

void categoryMixed(benchmark::State& state) {
    allocateAndFree(state, mixedSizes(), categoryZero, managerFree);
}

void mallocMixed(benchmark::State& state) {
    allocateAndFree(state, mixedSizes(), std::malloc, std::free);
}

// The plain new and delete path, called directly: the compiler may drop new/delete pairs whose
// pointer is never used.
void plainMixed(benchmark::State& state) {
    allocateAndFree(state, mixedSizes(), plainNew, orvo::MemoryManager::deallocatePlain);
}

// Plain requests of one large size, as the UI library's glyph pages and big containers make.
void plainLarge(benchmark::State& state) {
    allocateAndFree(state, fixedSizes(state, 4), plainNew, orvo::MemoryManager::deallocatePlain);
}

// An engine string of the given length made and dropped.
void engineString(benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        orvo::ZqString text(length, 'x');
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations());
}

// Several threads taking and freeing blocks of one pool at once: the pool's lock is contended.
void categoryContended(benchmark::State& state) { categoryFixed(state); }
void mallocContended(benchmark::State& state) { mallocFixed(state); }

// As the game runs: one thread allocating in a process that has other threads, so that locks
// (the pools' and the process heap's) can no longer skip their atomic operations. Once a second
// thread has started, that holds for the rest of the process, so these and the contended cases
// are registered last.
void startAThread() {
    static const bool started = [] {
        std::thread([] {}).join();
        return true;
    }();
    (void)started;
}

void categoryFixedThreaded(benchmark::State& state) {
    startAThread();
    categoryFixed(state);
}

void mallocFixedThreaded(benchmark::State& state) {
    startAThread();
    mallocFixed(state);
}

BENCHMARK(categoryFixed)->RangeMultiplier(2)->Range(16, 256);
BENCHMARK(mallocFixed)->RangeMultiplier(2)->Range(16, 256);
BENCHMARK(categoryMixed);
BENCHMARK(mallocMixed);
BENCHMARK(plainMixed);
BENCHMARK(plainLarge)->Arg(16 << 10)->Arg(256 << 10)->Arg(1 << 20);
BENCHMARK(engineString)->Arg(100)->Arg(1200);
BENCHMARK(categoryFixedThreaded)->RangeMultiplier(2)->Range(16, 256);
BENCHMARK(mallocFixedThreaded)->RangeMultiplier(2)->Range(16, 256);
BENCHMARK(categoryContended)->Arg(64)->Threads(4)->UseRealTime();
BENCHMARK(mallocContended)->Arg(64)->Threads(4)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
