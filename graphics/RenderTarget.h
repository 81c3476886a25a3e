#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/hash/HashString.h"
#include "core/maths/ZqMatrix.h"
#include "core/text/ZqString.h"
#include "graphics/ZqColorRoot.h"

namespace orvo {

class GraphicsCamera;
class Material;
class VertexBufferData;
class VertexIndexBufferData;

// Where drawing goes. Code outside the renderer changes GL state only through this interface.
class RenderTarget {
public:
    enum OptimiseRender : uint32_t {
        DEPTH_ON = 0,   // depth test and depth writes on
        DEPTH_OFF = 1,  // both off; frames clear colour only
    };
    // Selects the alpha-test reference pair (1, 2, 3 or any other value).
    enum AlphaTestMode : uint32_t {};
    enum PrimitiveMode : uint32_t { TRIANGLES = 0, LINES = 1, POINTS = 2 };
    enum TextureWrap : uint32_t { CLAMP_TO_EDGE = 0, REPEAT = 1 };

    explicit RenderTarget(const char* name);
    virtual ~RenderTarget() {}

    virtual bool initialise(const OptimiseRender& mode) = 0;
    virtual bool reinitialise() = 0;
    virtual void setDisplayDimensions(unsigned width, unsigned height) = 0;
    virtual void setDisplayFormat(unsigned bitsPerPixel) = 0;
    virtual void setWindowed(bool windowed, const ZqString& title) = 0;
    virtual void startFrame() = 0;
    virtual void endFrame() = 0;
    virtual void drawDynamicItem(const boost::shared_ptr<const Material>& material,
                                 const boost::shared_ptr<const VertexBufferData>& vertices,
                                 const boost::shared_ptr<const VertexIndexBufferData>& indices,
                                 const boost::shared_ptr<ZqMatrix<4, 4>>& world) = 0;
    virtual void drawStaticItem(const boost::shared_ptr<const Material>& material,
                                const boost::shared_ptr<const VertexBufferData>& vertices,
                                const boost::shared_ptr<const VertexIndexBufferData>& indices,
                                const boost::shared_ptr<ZqMatrix<4, 4>>& world) = 0;
    virtual void flushStaticItem(const VertexBufferData& vertices,
                                 const VertexIndexBufferData& indices) = 0;
    virtual void setCamera(const boost::shared_ptr<GraphicsCamera>& camera) = 0;
    virtual void enableBackFaceCulling() = 0;
    virtual void disableBackFaceCulling() = 0;
    virtual void enableDepthTestRead() = 0;
    virtual void disableDepthTestRead() = 0;
    virtual void enableDepthTestWrite() = 0;
    virtual void disableDepthTestWrite() = 0;
    virtual void renderToTexture(HashString colour, HashString depth, HashString third,
                                 HashString fourth) = 0;
    virtual void enableParticleBlendState() = 0;
    virtual void disableParticleBlendState() = 0;
    virtual void enableScissoring() {}
    virtual void disableScissoring() {}
    virtual void setScissorRegion(unsigned long, unsigned long, unsigned long, unsigned long) {}
    virtual void renderToScreen() = 0;
    virtual void enableAlphaBlending() = 0;
    virtual void disableAlphaBlending() = 0;
    virtual void enableAlphaTest() = 0;
    virtual void disableAlphaTest() = 0;
    virtual void setAlphaTestMode(AlphaTestMode mode) = 0;
    virtual void globalTexturesDisabled() = 0;
    virtual void clearScreen(bool colour, bool depth) = 0;
    virtual void setBackgroundClearColor(const ZqColorRoot<float>& colour) = 0;
    virtual void setShaderOverride(const HashString& name);
    virtual void releaseShaderOverride();
    virtual void flushVertexBuffers() = 0;
    virtual unsigned getCurrentRenderWidth() = 0;
    virtual unsigned getCurrentRenderHeight() = 0;
    virtual void getProjectionMatrix(ZqMatrix<4, 4>& out) const = 0;
    virtual void getViewMatrix(ZqMatrix<4, 4>& out) const = 0;
    virtual bool displayOn() = 0;
    // The product of the current draw's world matrix, the view and the projection, in the
    // form the other matrices are copied out (ready for a mat4 uniform). Parameter updaters
    // read it while the draw's uniforms are filled.
    virtual void getModelViewProjectionMatrix(ZqMatrix<4, 4>& out) const = 0;

    bool startDisplay() { return displayOn(); }

    // How textures bound by later draws wrap: REPEAT, or CLAMP_TO_EDGE (any other value).
    void setTextureWrap(uint32_t wrap) { textureWrap_ = wrap; }
    uint32_t getTextureWrap() const { return textureWrap_; }

    unsigned getDisplayWidth() const { return displayWidth_; }
    unsigned getDisplayHeight() const { return displayHeight_; }
    const ZqString& getName() const { return name_; }

protected:
    uint32_t displayWidth_;
    uint32_t displayHeight_;
    uint32_t displayFormat_;
    ZqString name_;
    uint32_t primitiveMode_;
    HashString shaderOverrideName_;
    bool shaderOverride_;
    bool texturesEnabled_;
    uint32_t optimiseMode_;
    uint32_t textureWrap_;
};

}  // namespace orvo

// The mode the game initialises its graphics with: depth test and writes on.
extern const orvo::RenderTarget::OptimiseRender OPTIMISE_RENDER;
