#include "graphics/GraphicsSystem.h"

#include <new>

#include "core/memory/ZequinAllocation.h"
#include "graphics/camera/GraphicsCamera.h"
#include "graphics/opengl/RenderTargetGles2.h"

namespace orvo {

GraphicsSystem::GraphicsSystem() {
    LightManager* lights = new (0, ZequinAllocation) LightManager();
    if (lights != nullptr) {
        lightManager_.reset(lights);
    }
    RenderTargetGles2* target = new (0, ZequinAllocation) RenderTargetGles2("DEFAULT");
    if (target != nullptr) {
        renderTargets_.pushBack(boost::shared_ptr<RenderTarget>(target));
    }
}

void GraphicsSystem::initialise(const RenderTarget::OptimiseRender& mode) {
    for (const boost::shared_ptr<RenderTarget>& target : renderTargets_) {
        target->initialise(mode);
    }
}

void GraphicsSystem::startDisplay(unsigned int width, unsigned int height) {
    initialise(OPTIMISE_RENDER);
    if (const boost::shared_ptr<RenderTarget> target = getCurrentRenderTarget()) {
        target->setDisplayDimensions(width, height);
        target->setDisplayFormat(32);
        target->startDisplay();
    }
}

boost::shared_ptr<RenderTarget> GraphicsSystem::getCurrentRenderTarget() const {
    if (renderTargets_.empty()) {
        return boost::shared_ptr<RenderTarget>();
    }
    return renderTargets_.at(0);
}

void GraphicsSystem::setCurrentRenderTarget(const boost::shared_ptr<RenderTarget>& target) {
    if (!target) {
        return;
    }
    if (renderTargets_.empty()) {
        renderTargets_.pushBack(target);
        return;
    }
    renderTargets_[0] = target;
}

void GraphicsSystem::drawStaticItem(boost::shared_ptr<const Material> material,
                                    boost::shared_ptr<const VertexBufferData> vertices,
                                    boost::shared_ptr<const VertexIndexBufferData> indices,
                                    boost::shared_ptr<ZqMatrix<4, 4>> world) {
    const boost::shared_ptr<RenderTarget> target = getCurrentRenderTarget();
    if (target) {
        target->drawStaticItem(material, vertices, indices, world);
    }
}

void GraphicsSystem::drawDynamicItem(boost::shared_ptr<const Material> material,
                                     boost::shared_ptr<const VertexBufferData> vertices,
                                     boost::shared_ptr<const VertexIndexBufferData> indices,
                                     boost::shared_ptr<ZqMatrix<4, 4>> world) {
    const boost::shared_ptr<RenderTarget> target = getCurrentRenderTarget();
    if (target) {
        target->drawDynamicItem(material, vertices, indices, world);
    }
}

void GraphicsSystem::flushStaticItem(const VertexBufferData& vertices,
                                     const VertexIndexBufferData& indices) {
    const boost::shared_ptr<RenderTarget> target = getCurrentRenderTarget();
    if (target) {
        target->flushStaticItem(vertices, indices);
    }
}

void GraphicsSystem::setCamera(boost::shared_ptr<GraphicsCamera> camera) {
    camera_ = camera;
    if (!camera) {
        return;
    }
    // Does nothing for a clean camera.
    camera->updateFrustum();
    const boost::shared_ptr<RenderTarget> target = getCurrentRenderTarget();
    if (target) {
        target->setCamera(camera);
    }
}

void GraphicsSystem::enableAlphaBlending() const {
    const boost::shared_ptr<RenderTarget> target = getCurrentRenderTarget();
    if (target) {
        target->enableAlphaBlending();
    }
}

void GraphicsSystem::disableAlphaBlending() const {
    const boost::shared_ptr<RenderTarget> target = getCurrentRenderTarget();
    if (target) {
        target->disableAlphaBlending();
    }
}

}  // namespace orvo
