#include "ui/RocketMatrixParameterUpdater.h"

#include "graphics/GraphicsSystem.h"

using namespace orvo;

// Recomputed for every draw: each UI draw has its own translation.
RocketMatrixParameterUpdater::RocketMatrixParameterUpdater()
    : ShaderParameterUpdater<ZqMatrix<4, 4>>(HashString("u_rocketMatrix"),
                                             BaseShaderParameterUpdater::CACHE_NONE) {
    value_ = ZqMatrix<4, 4>::ZERO;
}

void RocketMatrixParameterUpdater::update(boost::shared_ptr<ZqMatrix<4, 4>>,
                                          boost::shared_ptr<const Material>) {
    const boost::shared_ptr<RenderTarget> target =
        GraphicsSystem::instance_ != nullptr ? GraphicsSystem::instance_->getCurrentRenderTarget()
                                             : boost::shared_ptr<RenderTarget>();
    if (target) {
        target->getModelViewProjectionMatrix(value_);
    }
}
