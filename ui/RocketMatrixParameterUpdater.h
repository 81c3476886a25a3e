#pragma once

#include "core/maths/ZqMatrix.h"
#include "graphics/shader/ShaderParameterUpdater.h"

// Feeds u_rocketMatrix of the UI program: the world-view-projection matrix of the current
// draw on render target 0 (the UI geometry's translation under the UI camera).
class RocketMatrixParameterUpdater : public orvo::ShaderParameterUpdater<orvo::ZqMatrix<4, 4>> {
public:
    RocketMatrixParameterUpdater();

    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;

    const orvo::ZqMatrix<4, 4>& getValue() const { return value_; }
};
