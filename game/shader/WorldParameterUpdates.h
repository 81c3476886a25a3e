#pragma once

#include "core/maths/ZqMatrix.h"
#include "graphics/shader/ShaderParameterUpdater.h"

// The matrices of a draw, recomputed for every draw. Engine matrices are row-major and are
// uploaded as they are stored, so a shader reads each one transposed.

// A matrix value that starts at zero rather than at the identity.
class MatrixParameterUpdate : public orvo::ShaderParameterUpdater<orvo::ZqMatrix<4, 4>> {
protected:
    explicit MatrixParameterUpdate(const char* uniform);
};

// "u_transform": the draw's world matrix, copied.
class TransformParameterUpdate : public MatrixParameterUpdate {
public:
    TransformParameterUpdate();
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;
};

// "u_modelViewProj": the current render target's matrix for this draw, which the target works
// out from the world matrix before the uniforms are fed.
class ModelViewProjectionParameterUpdate : public MatrixParameterUpdate {
public:
    ModelViewProjectionParameterUpdate();
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;
};

// "u_worldInverseTranspose": the transpose of the world matrix's inverse; zero for a singular
// world matrix, whose inverse the maths library gives as zero.
class WorldInverseTransposeParameterUpdate : public MatrixParameterUpdate {
public:
    WorldInverseTransposeParameterUpdate();
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;
};
