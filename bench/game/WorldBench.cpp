#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "core/memory/MemoryManager.h"
#include "game/manager/GameManager.h"
#include "game/objects/AirCraft.h"
#include "game/objects/ObjectManager.h"
#include "game/scene/SceneManager.h"
#include "game/sound/GameSoundManager.h"
#include "game/time/TimeManager.h"
#include "input/PeripheralSystem.h"
#include "tools/world/HeadlessWorld.h"

namespace {

// A fresh shield every 500 frames, before the last one warns (540 frames at 60 per second):
// the run goes on for ever.
void keepShield(HeadlessWorld& world, long& frame) {
    if (frame++ % 500 == 0) {
        world.player().powerUp();
    }
}

// A run some thousands of units along. Measured on the position, since the distance still
// holds a stored run's until the first frame.
void advance(HeadlessWorld& world, float distance, long& frame) {
    world.startRun();
    world.player().speed = 55.0f;
    while (-world.player().position.x < distance) {
        keepShield(world, frame);
        world.frame();
    }
}

void reportAllocations(benchmark::State& state, std::uint64_t before) {
    state.counters["allocations/frame"] =
        benchmark::Counter(static_cast<double>(orvo::MemoryManager::getAllocationCount() - before),
                           benchmark::Counter::kAvgIterations);
}

// What every frame costs without the world: the clock, the input poll and the sounds.
void BM_EmptyFrame(benchmark::State& state) {
    HeadlessWorld world(1.0 / 60.0);
    const std::uint64_t before = orvo::MemoryManager::getAllocationCount();
    for (auto _ : state) {
        TimeManager::instance_->startFrame();
        orvo::PeripheralSystem::instance_->update();
        GameSoundManager::instance_->update();
        TimeManager::instance_->endFrame();
    }
    reportAllocations(state, before);
}
BENCHMARK(BM_EmptyFrame);

// Times one step of a run 3000 units along (3000 steps at 55 per second add 2750), kept alive;
// reports the allocations per step.
template <class Step>
void runAlong(benchmark::State& state, Step step) {
    HeadlessWorld world(1.0 / 60.0);
    long frame = 0;
    advance(world, 3000.0f, frame);
    const std::uint64_t before = orvo::MemoryManager::getAllocationCount();
    for (auto _ : state) {
        keepShield(world, frame);
        step(world);
    }
    // Counted first: the other counters' entries allocate.
    reportAllocations(state, before);
    state.counters["distance"] = world.player().distance;
    state.counters["alive"] = world.player().dead ? 0 : 1;
}

// One world update: track, craft, objects, collisions, camera, curvature; no rendering.
void BM_WorldUpdate(benchmark::State& state) {
    runAlong(state, [](HeadlessWorld&) {
        TimeManager::instance_->startFrame();
        SceneManager::instance_->laneModeUpdateScene();
        TimeManager::instance_->endFrame();
    });
}
BENCHMARK(BM_WorldUpdate)->Iterations(3000)->Repetitions(5);

// The whole game frame on the null render target (the draw calls go nowhere).
void BM_GameFrame(benchmark::State& state) {
    runAlong(state, [](HeadlessWorld& world) { world.frame(); });
}
BENCHMARK(BM_GameFrame)->Iterations(3000)->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    // No sound device is needed.
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
