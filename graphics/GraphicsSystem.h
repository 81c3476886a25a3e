#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/locator/ServiceSingleton.h"
#include "core/maths/ZqMatrix.h"
#include "graphics/RenderTarget.h"
#include "graphics/material/LightManager.h"

namespace orvo {

class GraphicsCamera;

// The graphics service: owns the render targets and the current camera and forwards every
// draw to the current target (target 0).
class GraphicsSystem : public Locator::ServiceSingleton<GraphicsSystem> {
public:
    GraphicsSystem();
    ~GraphicsSystem() override {}

    // Initialises every render target; results are not checked.
    void initialise(const RenderTarget::OptimiseRender& mode);
    // The display on the GL context that is current: the service initialised with
    // OPTIMISE_RENDER, then its current target given the size and 32-bit colour, and started.
    void startDisplay(unsigned int width, unsigned int height);
    // Empty only when the default target could not be made.
    boost::shared_ptr<RenderTarget> getCurrentRenderTarget() const;
    // Puts another target in the current one's place (a headless run's null target); an empty
    // pointer is ignored.
    void setCurrentRenderTarget(const boost::shared_ptr<RenderTarget>& target);

    void drawStaticItem(boost::shared_ptr<const Material> material,
                        boost::shared_ptr<const VertexBufferData> vertices,
                        boost::shared_ptr<const VertexIndexBufferData> indices,
                        boost::shared_ptr<ZqMatrix<4, 4>> world);
    void drawDynamicItem(boost::shared_ptr<const Material> material,
                         boost::shared_ptr<const VertexBufferData> vertices,
                         boost::shared_ptr<const VertexIndexBufferData> indices,
                         boost::shared_ptr<ZqMatrix<4, 4>> world);
    void flushStaticItem(const VertexBufferData& vertices, const VertexIndexBufferData& indices);
    // Rebuilds a changed camera's frustum before the target takes its matrices.
    void setCamera(boost::shared_ptr<GraphicsCamera> camera);
    const boost::shared_ptr<GraphicsCamera>& getCamera() const { return camera_; }
    void enableAlphaBlending() const;
    void disableAlphaBlending() const;
    const boost::shared_ptr<LightManager>& getLightManager() const { return lightManager_; }

private:
    boost::shared_ptr<LightManager> lightManager_;
    Array<boost::shared_ptr<RenderTarget>> renderTargets_;
    boost::shared_ptr<GraphicsCamera> camera_;
};

}  // namespace orvo
