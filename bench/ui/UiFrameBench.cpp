// One frame on Mesa in a pbuffer with a HUD-sized page (a score that changes every frame, a few
// texts and buttons, a HUD layer): the UI's update and render, against the same frame without
// the UI.
#include <GLES2/gl2.h>
#include <Rocket/Core.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/file/FileBase.h"
#include "core/locator/ServiceSingleton.h"
#include "core/log/Logger.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/camera/GraphicsCamera.h"
#include "graphics/material/MaterialManager.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureManager.h"
#include "tests/graphics/PbufferContext.h"
#include "ui/RocketSystem.h"

using namespace orvo;

namespace {

const char* const HUD = R"(<rml><head><style>
body { font-family: DejaVu Sans; font-size: 24px; color: #ffffff; }
.button { position: absolute; width: 160px; height: 60px; background-color: #30304080;
          border-width: 2px; border-color: #ffffff; }
#left { left: 20px; top: 520px; } #right { left: 844px; top: 520px; }
#pause { left: 844px; top: 20px; width: 60px; }
layer { position: absolute; left: 0px; top: 0px; width: 1024px; height: 80px;
        background-color: #00000060; }
</style></head><body>
<layer name="hud"><div id="label">SCORE</div><div id="game_score">0</div></layer>
<div id="left" class="button" onclick="call player_move_left">Left</div>
<div id="right" class="button" onclick="call player_move_right">Right</div>
<div id="pause" class="button" onclick="load_document pause.rml">II</div>
<div id="shield">Shield 11.0</div>
</body></rml>)";

struct Frame {
    Frame() {
        setenv("EGL_PLATFORM", "surfaceless", 1);
        char pattern[] = "/tmp/trellin-ui-bench-XXXXXX";
        const char* made = mkdtemp(pattern);
        folder = made != nullptr ? made : "/tmp";
        std::ofstream(folder + "/hud.rml") << HUD;
        std::error_code ec;
        std::filesystem::create_symlink("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                        folder + "/sans.ttf", ec);
        ok = openPbufferContext(1024, 600) == nullptr;
        FileBase::setRootPath((folder + "/").c_str());
        Locator::registerService<ShaderManager>("ShaderManager");
        Locator::registerService<ShaderCache>("ShaderCache");
        Locator::registerService<TextureManager>("TextureManager");
        Locator::registerService<MaterialManager>("MaterialManager");
        Locator::registerService<GraphicsSystem>("GraphicsSystem");
        GraphicsSystem::instance_->initialise(RenderTarget::DEPTH_ON);
        target().setDisplayDimensions(1024, 600);
        TextureManager::instance_->initialise(0xFFFF00FF);
        boost::shared_ptr<GraphicsCamera> camera(new GraphicsCamera(
            60.0f, 1.0f, -10000.0f, 10000.0f, ZqVector<3>(), ZqVector<3>(0.0f, 0.0f, -1.0f),
            ZqVector<3>(0.0f, 1.0f, 0.0f), ZqVector<3>(), 0.0f));
        camera->perspective = 0;
        GraphicsSystem::instance_->setCamera(camera);
        target().disableBackFaceCulling();
        ui = Locator::registerService<RocketSystem>("RocketSystem");
        ok = ok && ui->loadFont("sans.ttf", "") && ui->loadDocument("hud.rml", true);
        ZqLog.setMinimumLevel(9);
    }
    ~Frame() {
        // Without a folder of its own the bench used /tmp itself, which is not ours to remove.
        if (folder != "/tmp") {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        }
    }

    static RenderTarget& target() { return *GraphicsSystem::instance_->getCurrentRenderTarget(); }

    void withoutUi() {
        target().startFrame();
        target().endFrame();
        glFinish();
    }

    void withUi() {
        target().startFrame();
        // As the game's session update does every frame.
        Rocket::Core::Element* score = ui->getDefaultDocument()->GetElementById("game_score");
        score->SetInnerRML(std::to_string(++points));
        ui->update(1.0 / 60.0);
        GraphicsSystem::instance_->enableAlphaBlending();
        ui->render("all");
        GraphicsSystem::instance_->disableAlphaBlending();
        target().endFrame();
        glFinish();
    }

    std::string folder;
    bool ok = false;
    RocketSystem* ui = nullptr;
    unsigned points = 0;
};

Frame* warmFrame() {
    static Frame frame;
    static bool warm = false;
    if (frame.ok && !warm) {
        // Mesa compiles its shader variants and the UI makes its glyph pages in the first frames.
        for (int i = 0; i < 10; ++i) {
            frame.withUi();
        }
        warm = true;
    }
    return frame.ok ? &frame : nullptr;
}

void BM_FrameWithoutUi(benchmark::State& state) {
    Frame* frame = warmFrame();
    if (frame == nullptr) {
        state.SkipWithError("no EGL pbuffer context or UI page");
        return;
    }
    for (auto _ : state) {
        frame->withoutUi();
    }
}

void BM_FrameWithHudPage(benchmark::State& state) {
    Frame* frame = warmFrame();
    if (frame == nullptr) {
        state.SkipWithError("no EGL pbuffer context or UI page");
        return;
    }
    for (auto _ : state) {
        frame->withUi();
    }
}

}  // namespace

BENCHMARK(BM_FrameWithoutUi)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameWithHudPage)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
