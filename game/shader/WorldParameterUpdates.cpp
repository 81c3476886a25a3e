#include "game/shader/WorldParameterUpdates.h"

#include "graphics/GraphicsSystem.h"

using orvo::BaseShaderParameterUpdater;
using orvo::HashString;
using orvo::Material;
using orvo::ZqMatrix;

MatrixParameterUpdate::MatrixParameterUpdate(const char* uniform)
    : orvo::ShaderParameterUpdater<ZqMatrix<4, 4>>(HashString(uniform),
                                                   BaseShaderParameterUpdater::CACHE_NONE) {
    value_ = ZqMatrix<4, 4>::ZERO;
}

TransformParameterUpdate::TransformParameterUpdate() : MatrixParameterUpdate("u_transform") {}

// A draw without a world matrix stands in world space.
void TransformParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>> world,
                                      boost::shared_ptr<const Material>) {
    value_ = world ? *world : ZqMatrix<4, 4>::IDENTITY;
}

ModelViewProjectionParameterUpdate::ModelViewProjectionParameterUpdate()
    : MatrixParameterUpdate("u_modelViewProj") {}

void ModelViewProjectionParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>>,
                                                boost::shared_ptr<const Material>) {
    const orvo::GraphicsSystem* graphics = orvo::GraphicsSystem::instance_;
    if (graphics == nullptr) {
        return;
    }
    const boost::shared_ptr<orvo::RenderTarget> target = graphics->getCurrentRenderTarget();
    if (target) {
        target->getModelViewProjectionMatrix(value_);
    }
}

WorldInverseTransposeParameterUpdate::WorldInverseTransposeParameterUpdate()
    : MatrixParameterUpdate("u_worldInverseTranspose") {}

void WorldInverseTransposeParameterUpdate::update(boost::shared_ptr<ZqMatrix<4, 4>> world,
                                                  boost::shared_ptr<const Material>) {
    ZqMatrix<4, 4> inverse = world ? *world : ZqMatrix<4, 4>::IDENTITY;
    inverse.invert();
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            value_(row, column) = inverse(column, row);
        }
    }
}
