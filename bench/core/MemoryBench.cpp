// Category allocation and free through the memory manager against the process heap.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "core/memory/MemoryManager.h"

namespace {

constexpr int BATCH = 64;

// Sizes from 1 to 2048 bytes, the same sequence for both contenders.
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

void categoryFixed(benchmark::State& state) {
    orvo::MemoryManager* manager = orvo::MemoryManager::instance();
    const auto size = static_cast<std::size_t>(state.range(0));
    void* blocks[BATCH];
    for (auto _ : state) {
        for (void*& block : blocks) {
            block = manager->allocate(size, 1, 0);
        }
        benchmark::DoNotOptimize(blocks);
        for (void* block : blocks) {
            manager->deallocate(block);
        }
    }
    state.SetItemsProcessed(state.iterations() * BATCH);
}

void mallocFixed(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    void* blocks[BATCH];
    for (auto _ : state) {
        for (void*& block : blocks) {
            block = std::malloc(size);
        }
        benchmark::DoNotOptimize(blocks);
        for (void* block : blocks) {
            std::free(block);
        }
    }
    state.SetItemsProcessed(state.iterations() * BATCH);
}

void categoryMixed(benchmark::State& state) {
    orvo::MemoryManager* manager = orvo::MemoryManager::instance();
    const std::vector<std::size_t>& sizes = mixedSizes();
    void* blocks[BATCH];
    for (auto _ : state) {
        for (int i = 0; i < BATCH; ++i) {
            blocks[i] = manager->allocate(sizes[i], 1, 0);
        }
        benchmark::DoNotOptimize(blocks);
        for (void* block : blocks) {
            manager->deallocate(block);
        }
    }
    state.SetItemsProcessed(state.iterations() * BATCH);
}

void mallocMixed(benchmark::State& state) {
    const std::vector<std::size_t>& sizes = mixedSizes();
    void* blocks[BATCH];
    for (auto _ : state) {
        for (int i = 0; i < BATCH; ++i) {
            blocks[i] = std::malloc(sizes[i]);
        }
        benchmark::DoNotOptimize(blocks);
        for (void* block : blocks) {
            std::free(block);
        }
    }
    state.SetItemsProcessed(state.iterations() * BATCH);
}

BENCHMARK(categoryFixed)->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(mallocFixed)->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(categoryMixed);
BENCHMARK(mallocMixed);

}  // namespace

BENCHMARK_MAIN();
