#include "graphics/RenderTarget.h"

namespace orvo {

RenderTarget::RenderTarget(const char* name)
    : displayWidth_(640),
      displayHeight_(480),
      displayFormat_(32),
      name_(name),
      primitiveMode_(TRIANGLES),
      shaderOverrideName_(),
      shaderOverride_(false),
      texturesEnabled_(true),
      optimiseMode_(DEPTH_ON),
      textureWrap_(REPEAT) {}

void RenderTarget::setShaderOverride(const HashString& name) {
    shaderOverrideName_ = name;
    shaderOverride_ = true;
}

void RenderTarget::releaseShaderOverride() {
    shaderOverride_ = false;
    shaderOverrideName_ = HashString();
}

}  // namespace orvo

const orvo::RenderTarget::OptimiseRender OPTIMISE_RENDER = orvo::RenderTarget::DEPTH_ON;
