// The game's whole frame (world update and render at 1024 x 600) on Mesa in a pbuffer, drawn
// from the built archive, against the update alone and an empty frame (clear and swap) of the
// same target. Each drawn frame ends with glFinish, so that the time counts the drawing and not
// only its queueing. The GL calls of a frame are counted on frames recorded before the timed
// ones.
#include "bench/game/FrameBench.h"

#include <GLES2/gl2.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <memory>
#include <set>
#include <string>

#include "core/file/FileBase.h"
#include "core/locator/ServiceSingleton.h"
#include "core/maths/ZqMaths.h"
#include "game/manager/GameManager.h"
#include "game/objects/AirCraft.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureManager.h"
#include "tests/graphics/GlRecorder.h"
#include "tests/graphics/PbufferContext.h"
#include "tests/tools/GameGraphics.h"

using namespace orvo;

namespace {

std::unique_ptr<HeadlessWorld> world;
long runFrames = 0;
// About 3000 units at full speed.
constexpr long RUN_IN_FRAMES = 3300;

// The game on its GL target with the graphics side of its data load done; false with a line
// on the error stream when it cannot be made.
bool makeWorld() {
    setenv("EGL_PLATFORM", "surfaceless", 0);
    if (const char* failed = openPbufferContext(1024, 600)) {
        fprintf(stderr, "%s failed\n", failed);
        return false;
    }
    Locator::registerService<ShaderManager>("ShaderManager");
    Locator::registerService<ShaderCache>("ShaderCache");
    Locator::registerService<TextureManager>("TextureManager");
    FileBase::setRootPath(TRELLIN_RUN_FOLDER "/app/native/trellin.pak");
    world.reset(new HeadlessWorld(1.0 / 60.0, HeadlessWorld::GL_TARGET));
    const std::string error = loadGameGraphics();
    if (!error.empty()) {
        fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}

// The GL calls per frame over frames of step, recorded: draws, state changes (capabilities,
// blending, depth, programs, buffers, textures, vertex attributes) and uniform uploads.
template <class Step>
void countCalls(benchmark::State& state, Step step) {
    const std::set<std::string> stateChanges = {"glEnable",
                                                "glDisable",
                                                "glBlendFunc",
                                                "glBlendFuncSeparate",
                                                "glDepthFunc",
                                                "glDepthMask",
                                                "glUseProgram",
                                                "glBindBuffer",
                                                "glActiveTexture",
                                                "glBindTexture",
                                                "glTexParameteri",
                                                "glVertexAttribPointer",
                                                "glEnableVertexAttribArray",
                                                "glDisableVertexAttribArray",
                                                "glBindFramebuffer"};
    const std::set<std::string> uploads = {"glUniform1i", "glUniform1f", "glUniform3f",
                                           "glUniform4f", "glUniformMatrix4fv"};
    const int frames = 60;
    GlRecorder::start();
    for (int i = 0; i < frames; ++i) {
        step();
    }
    GlRecorder::stop();
    double draws = 0, changes = 0, uniforms = 0;
    for (const GlCall& call : GlRecorder::calls()) {
        draws += call.name == "glDrawElements" ? 1 : 0;
        changes += stateChanges.count(call.name);
        uniforms += uploads.count(call.name);
    }
    state.counters["draws/frame"] = draws / frames;
    state.counters["state changes/frame"] = changes / frames;
    state.counters["uniform uploads/frame"] = uniforms / frames;
}

// The same 1000 frames of the same run for each, three times over.
void sameFrames(benchmark::internal::Benchmark* bench) {
    bench->Iterations(1000)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(
        benchmark::kMicrosecond);
}

void BM_EmptyFrame(benchmark::State& state) {
    const boost::shared_ptr<RenderTarget> target =
        GraphicsSystem::instance_->getCurrentRenderTarget();
    const auto step = [&target] {
        target->startFrame();
        target->endFrame();
        glFinish();
    };
    countCalls(state, step);
    for (auto _ : state) {
        step();
    }
}
BENCHMARK(BM_EmptyFrame)->Apply(sameFrames);

// A frame of the measured run, only updated (everything the game does in a frame but drawing
// it) or updated and drawn.
void BM_GameFrame(benchmark::State& state, bool draw) {
    startMeasuredRun();
    const auto step = [draw] { runFrame(draw); };
    countCalls(state, step);
    for (auto _ : state) {
        step();
    }
    state.counters["distance"] = world->player().distance;
}
BENCHMARK_CAPTURE(BM_GameFrame, update_alone, false)->Apply(sameFrames);
BENCHMARK_CAPTURE(BM_GameFrame, update_and_render, true)->Apply(sameFrames);

}  // namespace

HeadlessWorld& benchWorld() { return *world; }

void startMeasuredRun() {
    ZqMaths::setRandomSeed(4242);
    world->startRun();
    world->player().speed = 55.0f;
    // A set number of frames rather than a distance: the distance counts from the restart only
    // once the craft is on the new track, some frames in.
    for (runFrames = 0; runFrames < RUN_IN_FRAMES;) {
        runFrame(false);
    }
}

void runFrame(bool draw) {
    // A fresh shield every 500 frames, before the last one warns.
    if (runFrames++ % 500 == 0) {
        world->player().powerUp();
    }
    if (draw) {
        world->frame();
        glFinish();
    } else {
        world->game().updateWithoutRendering();
    }
}

int main(int argc, char** argv) {
    // No sound device is needed.
    setenv("ALSOFT_DRIVERS", "null", 0);
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    if (!makeWorld()) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // GL objects go while the context lives; the world's graphics service then ends it.
    Locator::deregisterService<ShaderCache>();
    Locator::deregisterService<ShaderManager>();
    Locator::deregisterService<TextureManager>();
    world.reset();
    return 0;
}
