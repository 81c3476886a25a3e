#pragma once

#include "graphics/RenderTarget.h"

namespace orvo {

// A target that draws nothing: the world runs on it without a window or a GL context (tools,
// tests). It keeps only its display size. Tests derive from it to see what is drawn.
class RenderTargetNull : public RenderTarget {
public:
    RenderTargetNull(const char* name, unsigned width, unsigned height);

    bool initialise(const OptimiseRender&) override { return true; }
    bool reinitialise() override { return true; }
    void setDisplayDimensions(unsigned width, unsigned height) override;
    void setDisplayFormat(unsigned) override {}
    void setWindowed(bool, const ZqString&) override {}
    void startFrame() override {}
    void endFrame() override {}
    void drawDynamicItem(const boost::shared_ptr<const Material>&,
                         const boost::shared_ptr<const VertexBufferData>&,
                         const boost::shared_ptr<const VertexIndexBufferData>&,
                         const boost::shared_ptr<ZqMatrix<4, 4>>&) override {}
    void drawStaticItem(const boost::shared_ptr<const Material>&,
                        const boost::shared_ptr<const VertexBufferData>&,
                        const boost::shared_ptr<const VertexIndexBufferData>&,
                        const boost::shared_ptr<ZqMatrix<4, 4>>&) override {}
    void flushStaticItem(const VertexBufferData&, const VertexIndexBufferData&) override {}
    void setCamera(const boost::shared_ptr<GraphicsCamera>&) override {}
    void enableBackFaceCulling() override {}
    void disableBackFaceCulling() override {}
    void enableDepthTestRead() override {}
    void disableDepthTestRead() override {}
    void enableDepthTestWrite() override {}
    void disableDepthTestWrite() override {}
    void renderToTexture(HashString, HashString, HashString, HashString) override {}
    void enableParticleBlendState() override {}
    void disableParticleBlendState() override {}
    void renderToScreen() override {}
    void enableAlphaBlending() override {}
    void disableAlphaBlending() override {}
    void enableAlphaTest() override {}
    void disableAlphaTest() override {}
    void setAlphaTestMode(AlphaTestMode) override {}
    void globalTexturesDisabled() override {}
    void clearScreen(bool, bool) override {}
    void setBackgroundClearColor(const ZqColorRoot<float>&) override {}
    void flushVertexBuffers() override {}
    unsigned getCurrentRenderWidth() override { return displayWidth_; }
    unsigned getCurrentRenderHeight() override { return displayHeight_; }
    // Identity matrices: nothing is projected.
    void getProjectionMatrix(ZqMatrix<4, 4>& out) const override;
    void getViewMatrix(ZqMatrix<4, 4>& out) const override;
    void getModelViewProjectionMatrix(ZqMatrix<4, 4>& out) const override;
    bool displayOn() override { return true; }
};

}  // namespace orvo
