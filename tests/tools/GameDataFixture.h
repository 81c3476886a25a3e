#pragma once

#include <boost/shared_ptr.hpp>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/shader/ShaderProgram.h"
#include "tests/graphics/GraphicsTestContext.h"
#include "tests/tools/GameDataNames.h"
#include "tests/tools/GameModel.h"

// The game's data loaded from the built archive the way the game loads it (updaters, lights,
// programs, textures), and every model folder read and resolved, on Mesa in a 1024 x 600
// pbuffer.
class GameDataTest : public GraphicsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    const GameModel& model(const GameModelFolder& folder) const {
        return *models_.at(folder.folder);
    }
    // The program of GAME_PROGRAMS[i].
    const boost::shared_ptr<orvo::ShaderProgram>& program(std::size_t i) const {
        return programs_[i];
    }

private:
    std::vector<boost::shared_ptr<orvo::ShaderProgram>> programs_;
    std::map<std::string, std::unique_ptr<GameModel>> models_;
};
