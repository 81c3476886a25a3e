#include "tests/tools/GameDataFixture.h"

#include "core/file/FileBase.h"
#include "core/locator/ServiceSingleton.h"
#include "graphics/material/MaterialManager.h"
#include "graphics/shader/ShaderManager.h"
#include "tests/core/file/TempDirectory.h"
#include "tests/tools/GameGraphics.h"

using namespace orvo;

void GameDataTest::SetUp() {
    GraphicsTest::SetUp();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_NE(Locator::registerService<MaterialManager>("MaterialManager"), nullptr);
    FileBase::setRootPath(TRELLIN_RUN_FOLDER "/app/native/trellin.pak");

    const std::string error = loadGameGraphics();
    ASSERT_TRUE(error.empty()) << error;
    for (const GameProgram& p : GAME_PROGRAMS) {
        programs_.push_back(ShaderManager::instance_->getShaderProgram(HashString(p.name)));
    }

    for (const GameModelFolder& folder : MODEL_FOLDERS) {
        std::unique_ptr<GameModel>& m = models_[folder.folder];
        m.reset(new GameModel());
        std::string failure;
        ASSERT_TRUE(m->load(folder, failure)) << failure;
    }
}

void GameDataTest::TearDown() {
    models_.clear();
    Locator::deregisterService<MaterialManager>();
    trellin_test::TempDirectory::resetFileState();
    GraphicsTest::TearDown();
}
