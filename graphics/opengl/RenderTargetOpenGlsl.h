#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/maths/ZqMatrix.h"
#include "core/maths/ZqVector.h"
#include "graphics/RenderTarget.h"
#include "graphics/opengl/VboContainer.h"

namespace orvo {

class ShaderProgram;

// The OpenGL ES 2.0 renderer: turns each draw into GL calls at once, caching GL buffers per
// geometry pair and GL state so that repeated requests issue as few calls as possible.
class RenderTargetOpenGlsl : public RenderTarget {
public:
    static constexpr unsigned VBO_POOL_SIZE = 2500;
    static constexpr uint32_t STATIC_FRAMES_TO_LIVE = 40;
    static constexpr uint32_t NO_NAME = 0xFFFFFFFFu;
    // Texture units whose bound texture is cached; slots past these are not bound.
    static constexpr unsigned CACHED_TEXTURE_UNITS = 32;

    explicit RenderTargetOpenGlsl(const char* name);
    ~RenderTargetOpenGlsl() override;

    void startFrame() override;
    void endFrame() override;
    void drawDynamicItem(const boost::shared_ptr<const Material>& material,
                         const boost::shared_ptr<const VertexBufferData>& vertices,
                         const boost::shared_ptr<const VertexIndexBufferData>& indices,
                         const boost::shared_ptr<ZqMatrix<4, 4>>& world) override;
    void drawStaticItem(const boost::shared_ptr<const Material>& material,
                        const boost::shared_ptr<const VertexBufferData>& vertices,
                        const boost::shared_ptr<const VertexIndexBufferData>& indices,
                        const boost::shared_ptr<ZqMatrix<4, 4>>& world) override;
    void flushStaticItem(const VertexBufferData& vertices,
                         const VertexIndexBufferData& indices) override;
    void setCamera(const boost::shared_ptr<GraphicsCamera>& camera) override;
    void enableBackFaceCulling() override;
    void disableBackFaceCulling() override;
    void enableDepthTestRead() override;
    void disableDepthTestRead() override;
    void enableDepthTestWrite() override;
    void disableDepthTestWrite() override;
    void enableParticleBlendState() override;
    void disableParticleBlendState() override;
    void enableScissoring() override;
    void disableScissoring() override;
    void setScissorRegion(unsigned long x, unsigned long y, unsigned long width,
                          unsigned long height) override;
    void enableAlphaBlending() override;
    void disableAlphaBlending() override;
    void enableAlphaTest() override;
    void disableAlphaTest() override;
    void setAlphaTestMode(AlphaTestMode mode) override;
    void globalTexturesDisabled() override;
    void clearScreen(bool colour, bool depth) override;
    void setBackgroundClearColor(const ZqColorRoot<float>& colour) override;
    void flushVertexBuffers() override;
    unsigned getCurrentRenderWidth() override;
    unsigned getCurrentRenderHeight() override;
    void getProjectionMatrix(ZqMatrix<4, 4>& out) const override;
    void getViewMatrix(ZqMatrix<4, 4>& out) const override;
    void getModelViewProjectionMatrix(ZqMatrix<4, 4>& out) const override;

    virtual void executeBufferSwitch() = 0;

    VboContainer* createVbo(const VertexBufferData* vertices, const VertexIndexBufferData* indices);
    void drawVbo(VboContainer* container, const Material& material, const ShaderProgram& program);
    void purgeVbos(bool all);
    void applyTransformMatrix(const ZqMatrix<4, 4>& transform);
    void createViewMatrix(const ZqVector<3>& eye, const ZqVector<3>& target, const ZqVector<3>& up);
    void setupTextures(const Material& material);
    void resetVertexAttributes(HashString programName);
    void resetTextureFiltering(HashString texture);

    // Pool of GL buffer names: lowest free index (marked used), or -1 when none is left.
    int getNextAvailableVboIdAndMarkAsUsed();
    void markVboAsFree(uint32_t name);
    uint32_t getId(int index) const;

protected:
    // The size of the texture drawing goes to while rendering to a texture.
    bool renderTextureSize(unsigned& width, unsigned& height) const;
    void releaseContainer(VboContainer* container);
    // The cached pair of these blocks; a pair left by earlier blocks at the same addresses
    // is released, and none is returned for it.
    VboContainer* findVbo(const VertexBufferData& vertices, const VertexIndexBufferData& indices);
    // Releases the pair at that place of the table, keeping the others in order.
    void removeVboAt(std::size_t index);
    // Texture units that draws bind: those the cache covers, within what the hardware has.
    uint32_t usableTextureUnits() const;
    // Forgets which textures are bound, so that the next draws bind theirs again.
    void forgetTextureBindings();
    // Whether drawVbo gives the attribute a pointer.
    bool pointsAttribute(HashString name) const;

    bool cullFaceOn_;
    bool alphaBlendOn_;
    bool depthReadOn_;
    bool depthWriteOn_;
    bool scissorOn_;
    uint32_t enabledTexCoordUnits_;
    Array<VboContainer*> vboTable_;
    Array<uint8_t> vboInUse_;
    Array<uint32_t> vboNames_;
    VboContainer* lastDrawn_;
    // Held, not just pointed at, so that a program rebuilt at a freed program's address is
    // never taken for it.
    boost::shared_ptr<ShaderProgram> lastDrawnProgram_;
    boost::shared_ptr<GraphicsCamera> camera_;
    bool renderingToTexture_;
    HashString colourAttachment_;
    HashString depthAttachment_;
    uint32_t framebuffer_;
    uint32_t boundArrayBuffer_;
    uint32_t boundElementBuffer_;
    uint32_t textureUnitLimit_;
    ZqMatrix<4, 4> projection_;
    ZqMatrix<4, 4> world_;
    ZqMatrix<4, 4> view_;
    ZqMatrix<4, 4> worldView_;
    ZqMatrix<4, 4> worldViewProjection_;
    uint32_t activeTextureUnit_;
    uint32_t boundTextures_[CACHED_TEXTURE_UNITS];
    // The texture service's count of its own binds and deletes, and the wrap flag, as they
    // were when the bound textures were recorded: either changing makes the record stale.
    uint64_t textureChangesSeen_;
    uint32_t bindingsWrap_;
    bool alphaTest_;
    float alphaTestReference_[2];
    // The program whose attribute arrays were enabled last.
    boost::shared_ptr<ShaderProgram> attributeProgram_;
};

}  // namespace orvo
