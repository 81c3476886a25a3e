#include "graphics/RenderTargetNull.h"

namespace orvo {

RenderTargetNull::RenderTargetNull(const char* name, unsigned width, unsigned height)
    : RenderTarget(name) {
    setDisplayDimensions(width, height);
}

void RenderTargetNull::setDisplayDimensions(unsigned width, unsigned height) {
    displayWidth_ = width;
    displayHeight_ = height;
}

void RenderTargetNull::getProjectionMatrix(ZqMatrix<4, 4>& out) const {
    out = ZqMatrix<4, 4>::IDENTITY;
}

void RenderTargetNull::getViewMatrix(ZqMatrix<4, 4>& out) const { out = ZqMatrix<4, 4>::IDENTITY; }

void RenderTargetNull::getModelViewProjectionMatrix(ZqMatrix<4, 4>& out) const {
    out = ZqMatrix<4, 4>::IDENTITY;
}

}  // namespace orvo
