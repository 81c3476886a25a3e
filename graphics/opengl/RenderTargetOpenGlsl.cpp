#include "graphics/opengl/RenderTargetOpenGlsl.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>

#include "core/memory/ZequinAllocation.h"
#include "graphics/ZqVectorOps.h"
#include "graphics/camera/GraphicsCamera.h"
#include "graphics/material/Material.h"
#include "graphics/opengl/AttributeNames.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/shader/ShaderProgram.h"
#include "graphics/texture/TextureManager.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexIndexBufferData.h"

namespace orvo {

namespace {

const uint32_t NO_TEXTURE_UNIT = GL_TEXTURE0 - 1;

const void* bufferOffset(uint32_t offset) {
    return reinterpret_cast<const void*>(static_cast<uintptr_t>(offset));
}

ZqMatrix<4, 4> fromElements(const float* elements) {
    ZqMatrix<4, 4> m;
    for (int i = 0; i < 16; ++i) {
        m[i] = elements[i];
    }
    return m;
}

boost::shared_ptr<TextureInfo> findTexture(HashString name) {
    if (TextureManager::instance_ == nullptr) {
        return boost::shared_ptr<TextureInfo>();
    }
    return TextureManager::instance_->getStatic(name);
}

}  // namespace

RenderTargetOpenGlsl::RenderTargetOpenGlsl(const char* name)
    : RenderTarget(name),
      cullFaceOn_(false),
      alphaBlendOn_(false),
      depthReadOn_(false),
      depthWriteOn_(false),
      scissorOn_(false),
      enabledTexCoordUnits_(0),
      lastDrawn_(nullptr),
      renderingToTexture_(false),
      framebuffer_(0),
      boundArrayBuffer_(NO_NAME),
      boundElementBuffer_(NO_NAME),
      textureUnitLimit_(0),
      projection_(ZqMatrix<4, 4>::IDENTITY),
      world_(ZqMatrix<4, 4>::IDENTITY),
      view_(ZqMatrix<4, 4>::IDENTITY),
      worldView_(ZqMatrix<4, 4>::IDENTITY),
      worldViewProjection_(ZqMatrix<4, 4>::IDENTITY),
      activeTextureUnit_(NO_TEXTURE_UNIT),
      textureChangesSeen_(TextureManager::bindingChanges()),
      bindingsWrap_(textureWrap_),
      alphaTest_(false),
      alphaTestReference_{0.0f, 0.0f} {
    std::fill(boundTextures_, boundTextures_ + CACHED_TEXTURE_UNITS, NO_NAME);
    vboTable_.reserve(VBO_POOL_SIZE);
}

RenderTargetOpenGlsl::~RenderTargetOpenGlsl() {
    if (!vboNames_.empty()) {
        purgeVbos(true);
    }
}

// ---- Frames ----

void RenderTargetOpenGlsl::startFrame() { clearScreen(true, optimiseMode_ != DEPTH_OFF); }

void RenderTargetOpenGlsl::endFrame() {
    executeBufferSwitch();
    purgeVbos(false);
    boundArrayBuffer_ = NO_NAME;
    boundElementBuffer_ = NO_NAME;
    lastDrawn_ = nullptr;
    if (ShaderCache::instance_ != nullptr) {
        ShaderCache::instance_->clearFrameCache();
    }
}

void RenderTargetOpenGlsl::clearScreen(bool colour, bool depth) {
    GLbitfield mask = colour ? GL_COLOR_BUFFER_BIT : 0;
    if (depth) {
        mask |= GL_DEPTH_BUFFER_BIT;
        enableDepthTestWrite();
    }
    glClear(mask);
}

void RenderTargetOpenGlsl::setBackgroundClearColor(const ZqColorRoot<float>& colour) {
    glClearColor(colour.r, colour.g, colour.b, colour.a);
}

// ---- Draws ----

namespace {

// The largest vertex part. An attribute whose part a block lacks still reads that many bytes
// at the start of each vertex.
const uint32_t LARGEST_PART = 12;

// Loaded geometry is data: a block shorter than what the draw reads of its vertices, or an
// index past the last vertex, would make GL read outside the uploaded buffers. The draw steps
// by the stride of the format flags, whatever stride the block states.
bool geometryFits(const VertexBufferData& vertices, const VertexIndexBufferData& indices) {
    const uint32_t stride = VertexBufferData::strideOf(vertices.formatFlags);
    if (vertices.vertexCount != 0) {
        // Stride 0 would make GL take the attributes as tightly packed.
        if (stride == 0) {
            return false;
        }
        const uint64_t reads =
            uint64_t(vertices.vertexCount - 1) * stride + std::max(stride, LARGEST_PART);
        if (reads > vertices.dataSize || vertices.data == nullptr) {
            return false;
        }
    }
    for (unsigned short index : indices.indices) {
        if (index >= vertices.vertexCount) {
            return false;
        }
    }
    return true;
}

}  // namespace

void RenderTargetOpenGlsl::drawStaticItem(
    const boost::shared_ptr<const Material>& material,
    const boost::shared_ptr<const VertexBufferData>& vertices,
    const boost::shared_ptr<const VertexIndexBufferData>& indices,
    const boost::shared_ptr<ZqMatrix<4, 4>>& world) {
    if (!material || !vertices || !indices) {
        return;
    }
    if (world) {
        applyTransformMatrix(*world);
    }
    VboContainer* container = findVbo(*vertices, *indices);
    if (container == nullptr) {
        if (!geometryFits(*vertices, *indices)) {
            return;
        }
        container = createVbo(vertices.get(), indices.get());
        // The pool is exhausted (or memory is): nothing can be drawn.
        if (container == nullptr) {
            return;
        }
    }
    if (ShaderCache::instance_ != nullptr) {
        ShaderCache::instance_->updateShaderParameters(world, material, shaderOverrideName_);
    }
    resetVertexAttributes(shaderOverride_ ? shaderOverrideName_ : material->shaderName);
    setupTextures(*material);
    ShaderManager* manager = ShaderManager::instance_;
    if (manager != nullptr && manager->getActiveShaderProgram()) {
        drawVbo(container, *material, *manager->getActiveShaderProgram());
        lastDrawn_ = container;
        lastDrawnProgram_ = manager->getActiveShaderProgram();
    }
}

void RenderTargetOpenGlsl::drawDynamicItem(
    const boost::shared_ptr<const Material>& material,
    const boost::shared_ptr<const VertexBufferData>& vertices,
    const boost::shared_ptr<const VertexIndexBufferData>& indices,
    const boost::shared_ptr<ZqMatrix<4, 4>>& world) {
    drawStaticItem(material, vertices, indices, world);
    if (vertices && indices) {
        VboContainer* container = findVbo(*vertices, *indices);
        if (container != nullptr) {
            container->framesToLive = 1;
        }
    }
}

bool RenderTargetOpenGlsl::pointsAttribute(HashString name) const {
    if (name == a_position || name == a_normal || name == a_color) {
        return true;
    }
    return texturesEnabled_ && (name == a_texCoord0 || name == a_texCoord1);
}

void RenderTargetOpenGlsl::drawVbo(VboContainer* container, const Material& material,
                                   const ShaderProgram& program) {
    container->framesToLive = STATIC_FRAMES_TO_LIVE;
    // The set-up belongs to the pair and the program together: samplers and attribute
    // locations are the program's.
    if (container != lastDrawn_ || &program != lastDrawnProgram_.get()) {
        if (boundArrayBuffer_ != container->vertexBufferName) {
            glBindBuffer(GL_ARRAY_BUFFER, container->vertexBufferName);
            boundArrayBuffer_ = container->vertexBufferName;
        }
        const GLsizei stride = static_cast<GLsizei>(container->stride);
        for (const ShaderParameter& attribute : program.data.attributes) {
            const GLuint location = attribute.location;
            if (attribute.name == a_position) {
                glVertexAttribPointer(location, 3, GL_FLOAT, GL_FALSE, stride,
                                      bufferOffset(container->positionOffset));
            } else if (attribute.name == a_normal) {
                glVertexAttribPointer(location, 3, GL_FLOAT, GL_FALSE, stride,
                                      bufferOffset(container->normalOffset));
            } else if (attribute.name == a_color) {
                glVertexAttribPointer(location, 4, GL_UNSIGNED_BYTE, GL_FALSE, stride,
                                      bufferOffset(container->colourOffset));
            } else if (texturesEnabled_ && attribute.name == a_texCoord0) {
                glVertexAttribPointer(location, 2, GL_FLOAT, GL_FALSE, stride,
                                      bufferOffset(container->texCoord0Offset));
            } else if (texturesEnabled_ && attribute.name == a_texCoord1) {
                glVertexAttribPointer(location, 2, GL_FLOAT, GL_FALSE, stride,
                                      bufferOffset(container->texCoord1Offset));
            } else {
                // Another program may have enabled this location; without a pointer of its
                // own the array must not be read.
                glDisableVertexAttribArray(location);
            }
        }
        const std::size_t slots =
            std::min<std::size_t>(material.textureSlots.size(), usableTextureUnits());
        if (texturesEnabled_ && slots > 0) {
            for (std::size_t i = 0; i < slots; ++i) {
                char samplerName[32];
                std::snprintf(samplerName, sizeof(samplerName), "s_texture%u",
                              static_cast<unsigned>(i));
                const ShaderParameter sampler = program.getUniform(HashString(samplerName));
                if (sampler.name != DUMMY_PARAMETER) {
                    glUniform1i(static_cast<GLint>(sampler.location), static_cast<GLint>(i));
                }
            }
            enabledTexCoordUnits_ = static_cast<uint32_t>(slots);
        }
        if (boundElementBuffer_ != container->indexBufferName) {
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, container->indexBufferName);
            boundElementBuffer_ = container->indexBufferName;
        }
    }
    GLenum mode;
    switch (primitiveMode_) {
        case TRIANGLES:
            mode = GL_TRIANGLES;
            break;
        case LINES:
            mode = GL_LINES;
            break;
        case POINTS:
            mode = GL_POINTS;
            break;
        default:
            return;
    }
    glDrawElements(mode, static_cast<GLsizei>(container->indexCount), GL_UNSIGNED_SHORT, nullptr);
}

// Compared by the program itself, not its name: a program rebuilt under the same name has
// its own attribute locations.
void RenderTargetOpenGlsl::resetVertexAttributes(HashString programName) {
    if (ShaderManager::instance_ == nullptr) {
        return;
    }
    const boost::shared_ptr<ShaderProgram> program =
        ShaderManager::instance_->getShaderProgram(programName);
    if (!program || program == attributeProgram_) {
        return;
    }
    for (const ShaderParameter& attribute : program->data.attributes) {
        // Only arrays that drawVbo gives a pointer are enabled.
        if (pointsAttribute(attribute.name)) {
            glEnableVertexAttribArray(attribute.location);
        }
    }
    attributeProgram_ = program;
}

uint32_t RenderTargetOpenGlsl::usableTextureUnits() const {
    return std::min<uint32_t>(CACHED_TEXTURE_UNITS, textureUnitLimit_);
}

void RenderTargetOpenGlsl::forgetTextureBindings() {
    std::fill(boundTextures_, boundTextures_ + CACHED_TEXTURE_UNITS, NO_NAME);
    textureChangesSeen_ = TextureManager::bindingChanges();
    bindingsWrap_ = textureWrap_;
}

void RenderTargetOpenGlsl::setupTextures(const Material& material) {
    // The texture service binds textures as it makes them and its deletes unbind them, and the
    // wrap is set only on a bind: after either, the record of what is bound cannot be trusted.
    if (textureChangesSeen_ != TextureManager::bindingChanges() || bindingsWrap_ != textureWrap_) {
        forgetTextureBindings();
    }
    const std::size_t slots =
        std::min<std::size_t>(material.textureSlots.size(), usableTextureUnits());
    for (std::size_t i = 0; i < slots; ++i) {
        boost::shared_ptr<TextureInfo> texture = findTexture(material.textureSlots[i].textureName);
        // A missing texture samples white rather than whatever the unit held before.
        if (!texture) {
            texture = findTexture(DEFAULT_WHITE);
        }
        const uint32_t glName = texture ? texture->glName : 0;
        const uint32_t unit = GL_TEXTURE0 + static_cast<uint32_t>(i);
        if (activeTextureUnit_ != unit) {
            glActiveTexture(unit);
            activeTextureUnit_ = unit;
        }
        if (boundTextures_[i] != glName) {
            glBindTexture(GL_TEXTURE_2D, glName);
            boundTextures_[i] = glName;
            const GLint wrap = textureWrap_ == REPEAT ? GL_REPEAT : GL_CLAMP_TO_EDGE;
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
        }
    }
}

void RenderTargetOpenGlsl::resetTextureFiltering(HashString textureName) {
    const boost::shared_ptr<TextureInfo> texture = findTexture(textureName);
    if (!texture) {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, texture->glName);
    // Bound on whichever unit is active and without the draws' wrap: draws bind theirs again.
    forgetTextureBindings();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// ---- The buffer-pair pool ----

int RenderTargetOpenGlsl::getNextAvailableVboIdAndMarkAsUsed() {
    for (std::size_t i = 0; i < vboInUse_.size(); ++i) {
        if (vboInUse_[i] == 0) {
            vboInUse_[i] = 1;
            return static_cast<int>(i);
        }
    }
    return -1;
}

void RenderTargetOpenGlsl::markVboAsFree(uint32_t name) {
    for (std::size_t i = 0; i < vboInUse_.size() && i < vboNames_.size(); ++i) {
        if (vboNames_[i] == name) {
            vboInUse_[i] = 0;
            return;
        }
    }
}

uint32_t RenderTargetOpenGlsl::getId(int index) const { return vboNames_[index]; }

VboContainer* RenderTargetOpenGlsl::createVbo(const VertexBufferData* vertices,
                                              const VertexIndexBufferData* indices) {
    // Both names are taken before anything is made, so an exhausted pool makes nothing.
    const int vertexIndex = getNextAvailableVboIdAndMarkAsUsed();
    if (vertexIndex < 0) {
        return nullptr;
    }
    const int indexIndex = getNextAvailableVboIdAndMarkAsUsed();
    if (indexIndex < 0) {
        vboInUse_[static_cast<std::size_t>(vertexIndex)] = 0;
        return nullptr;
    }
    VboContainer* container = new (0, ZequinAllocation) VboContainer(vertices, indices);
    if (container == nullptr || !vboTable_.pushBack(container)) {
        delete container;
        vboInUse_[static_cast<std::size_t>(vertexIndex)] = 0;
        vboInUse_[static_cast<std::size_t>(indexIndex)] = 0;
        return nullptr;
    }
    container->vertexBufferName = getId(vertexIndex);
    glBindBuffer(GL_ARRAY_BUFFER, container->vertexBufferName);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices->dataSize), vertices->data,
                 GL_STATIC_DRAW);
    container->indexBufferName = getId(indexIndex);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, container->indexBufferName);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(indices->indices.size() * sizeof(unsigned short)),
                 indices->indices.data(), GL_STATIC_DRAW);
    boundArrayBuffer_ = container->vertexBufferName;
    boundElementBuffer_ = container->indexBufferName;
    std::sort(vboTable_.begin(), vboTable_.end(), VboContainer::compare);
    return container;
}

void RenderTargetOpenGlsl::releaseContainer(VboContainer* container) {
    markVboAsFree(container->vertexBufferName);
    markVboAsFree(container->indexBufferName);
    // A container made later at this address must not pass for the last drawn one.
    if (container == lastDrawn_) {
        lastDrawn_ = nullptr;
    }
    delete container;
}

void RenderTargetOpenGlsl::removeVboAt(std::size_t index) {
    releaseContainer(vboTable_[index]);
    for (std::size_t j = index + 1; j < vboTable_.size(); ++j) {
        vboTable_[j - 1] = vboTable_[j];
    }
    vboTable_.popBack();
}

VboContainer* RenderTargetOpenGlsl::findVbo(const VertexBufferData& vertices,
                                            const VertexIndexBufferData& indices) {
    VboContainer* container = VboContainer::getVboContainer(&vertices, &indices, vboTable_);
    if (container == nullptr || container->madeFrom(vertices, indices)) {
        return container;
    }
    // The blocks it was made from are gone, unflushed, and new ones took their addresses.
    for (std::size_t i = 0; i < vboTable_.size(); ++i) {
        if (vboTable_[i] == container) {
            removeVboAt(i);
            break;
        }
    }
    return nullptr;
}

void RenderTargetOpenGlsl::flushStaticItem(const VertexBufferData& vertices,
                                           const VertexIndexBufferData& indices) {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    boundArrayBuffer_ = NO_NAME;
    boundElementBuffer_ = NO_NAME;
    lastDrawn_ = nullptr;
    for (std::size_t i = 0; i < vboTable_.size(); ++i) {
        const VboContainer* container = vboTable_[i];
        if (container->vertexBlock == &vertices && container->indexBlock == &indices) {
            removeVboAt(i);
            return;
        }
    }
}

void RenderTargetOpenGlsl::purgeVbos(bool all) {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    boundArrayBuffer_ = NO_NAME;
    boundElementBuffer_ = NO_NAME;
    if (all) {
        for (VboContainer* container : vboTable_) {
            releaseContainer(container);
        }
        vboTable_.clear();
        lastDrawn_ = nullptr;
        if (!vboNames_.empty()) {
            glDeleteBuffers(VBO_POOL_SIZE, vboNames_.data());
            glGenBuffers(VBO_POOL_SIZE, vboNames_.data());
        }
        return;
    }
    bool removed = false;
    for (std::size_t i = 0; i < vboTable_.size(); ++i) {
        VboContainer* container = vboTable_[i];
        // A pair made while no program was active was never drawn and counts as expired.
        if (container->framesToLive == 0 || --container->framesToLive == 0) {
            releaseContainer(container);
            vboTable_[i] = nullptr;
            removed = true;
        }
    }
    if (!removed) {
        return;
    }
    std::size_t i = 0;
    while (i < vboTable_.size()) {
        if (vboTable_[i] == nullptr) {
            vboTable_[i] = vboTable_[vboTable_.size() - 1];
            vboTable_.popBack();
        } else {
            ++i;
        }
    }
    std::sort(vboTable_.begin(), vboTable_.end(), VboContainer::compare);
    lastDrawn_ = nullptr;
}

void RenderTargetOpenGlsl::flushVertexBuffers() {
    if (!vboNames_.empty()) {
        purgeVbos(true);
    }
    forgetTextureBindings();
    activeTextureUnit_ = NO_TEXTURE_UNIT;
    boundArrayBuffer_ = NO_NAME;
    boundElementBuffer_ = NO_NAME;
    attributeProgram_.reset();
}

// ---- GL state caches ----

void RenderTargetOpenGlsl::enableBackFaceCulling() {
    if (!cullFaceOn_) {
        glEnable(GL_CULL_FACE);
        cullFaceOn_ = true;
    }
}

void RenderTargetOpenGlsl::disableBackFaceCulling() {
    if (cullFaceOn_) {
        glDisable(GL_CULL_FACE);
        cullFaceOn_ = false;
    }
}

void RenderTargetOpenGlsl::enableAlphaBlending() {
    if (!alphaBlendOn_) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
        alphaBlendOn_ = true;
    }
}

void RenderTargetOpenGlsl::disableAlphaBlending() {
    if (alphaBlendOn_) {
        glDisable(GL_BLEND);
        alphaBlendOn_ = false;
    }
}

void RenderTargetOpenGlsl::enableDepthTestRead() {
    if (!depthReadOn_) {
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_DEPTH_TEST);
        depthReadOn_ = true;
    }
}

void RenderTargetOpenGlsl::disableDepthTestRead() {
    if (depthReadOn_) {
        glDepthFunc(GL_ALWAYS);
        glDisable(GL_DEPTH_TEST);
        depthReadOn_ = false;
    }
}

void RenderTargetOpenGlsl::enableDepthTestWrite() {
    if (!depthWriteOn_) {
        glDepthMask(GL_TRUE);
        depthWriteOn_ = true;
    }
}

void RenderTargetOpenGlsl::disableDepthTestWrite() {
    if (depthWriteOn_) {
        glDepthMask(GL_FALSE);
        depthWriteOn_ = false;
    }
}

void RenderTargetOpenGlsl::enableScissoring() {
    if (!scissorOn_) {
        glEnable(GL_SCISSOR_TEST);
        scissorOn_ = true;
    }
}

void RenderTargetOpenGlsl::disableScissoring() {
    if (scissorOn_) {
        glDisable(GL_SCISSOR_TEST);
        scissorOn_ = false;
    }
}

void RenderTargetOpenGlsl::enableParticleBlendState() {
    glBlendFuncSeparate(GL_ONE, GL_ONE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void RenderTargetOpenGlsl::disableParticleBlendState() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void RenderTargetOpenGlsl::setScissorRegion(unsigned long x, unsigned long y, unsigned long width,
                                            unsigned long height) {
    glScissor(static_cast<GLint>(x), static_cast<GLint>(y), static_cast<GLsizei>(width),
              static_cast<GLsizei>(height));
}

void RenderTargetOpenGlsl::enableAlphaTest() {
    alphaTest_ = true;
    enableAlphaBlending();
}

void RenderTargetOpenGlsl::disableAlphaTest() {
    alphaTest_ = false;
    disableAlphaBlending();
}

void RenderTargetOpenGlsl::setAlphaTestMode(AlphaTestMode mode) {
    switch (static_cast<uint32_t>(mode)) {
        case 1:
            alphaTestReference_[0] = -1.0f;
            alphaTestReference_[1] = 1.0f;
            break;
        case 2:
            alphaTestReference_[0] = 0.0f;
            alphaTestReference_[1] = 1.0f;
            break;
        case 3:
            alphaTestReference_[0] = 1.0f;
            alphaTestReference_[1] = 0.5f;
            break;
        default:
            alphaTestReference_[0] = 1.0f;
            alphaTestReference_[1] = 0.0f;
            break;
    }
}

// An ES 2 context has no fixed-function texture units to switch off; later draws simply set
// no texture-coordinate pointers and no samplers.
void RenderTargetOpenGlsl::globalTexturesDisabled() { texturesEnabled_ = false; }

// ---- Matrices and camera ----

void RenderTargetOpenGlsl::applyTransformMatrix(const ZqMatrix<4, 4>& transform) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            world_(row, column) = transform(column, row);
        }
    }
    worldView_ = world_ * view_;
    worldViewProjection_ = worldView_ * projection_;
}

void RenderTargetOpenGlsl::setCamera(const boost::shared_ptr<GraphicsCamera>& camera) {
    if (!camera) {
        return;
    }
    const GraphicsCamera& c = *camera;
    float p[16] = {};
    if (c.perspective != 0) {
        const float h = c.fieldOfView * 0.5f * ZqMaths::PI / 180.0f;
        const float f = ZqMaths::cos(h) / ZqMaths::sin(h);
        p[0] = f / c.displayAspectRatio;
        p[5] = f;
        p[10] = -(c.farClip + c.nearClip) / (c.farClip - c.nearClip);
        p[11] = -1.0f;
        p[14] = -2.0f * c.farClip * c.nearClip / (c.farClip - c.nearClip);
    } else {
        p[0] = 2.0f / (c.orthoRight - c.orthoLeft);
        p[5] = 2.0f / (c.orthoTop - c.orthoBottom);
        p[10] = -2.0f / (c.farClip - c.nearClip);
        p[12] = -(c.orthoRight + c.orthoLeft) / (c.orthoRight - c.orthoLeft);
        p[13] = -(c.orthoTop + c.orthoBottom) / (c.orthoTop - c.orthoBottom);
        p[14] = -(c.farClip + c.nearClip) / (c.farClip - c.nearClip);
        p[15] = 1.0f;
    }
    projection_ = fromElements(p);
    camera_ = camera;
    createViewMatrix(c.position, c.position + c.direction, c.up);
}

void RenderTargetOpenGlsl::createViewMatrix(const ZqVector<3>& eye, const ZqVector<3>& target,
                                            const ZqVector<3>& up) {
    ZqVector<3> d = target - eye;
    d.normalize();
    ZqVector<3> s = d.cross(up);
    s.normalize();
    const ZqVector<3> u = s.cross(d);
    const float v[16] = {s.x, u.x, -d.x, 0.0f, s.y,          u.y,          -d.y,        0.0f,
                         s.z, u.z, -d.z, 0.0f, -dot(s, eye), -dot(u, eye), dot(d, eye), 1.0f};
    view_ = fromElements(v);
}

void RenderTargetOpenGlsl::getProjectionMatrix(ZqMatrix<4, 4>& out) const { out = projection_; }

void RenderTargetOpenGlsl::getViewMatrix(ZqMatrix<4, 4>& out) const { out = view_; }

void RenderTargetOpenGlsl::getModelViewProjectionMatrix(ZqMatrix<4, 4>& out) const {
    out = worldViewProjection_;
}

bool RenderTargetOpenGlsl::renderTextureSize(unsigned& width, unsigned& height) const {
    if (colourAttachment_ == HashString()) {
        return false;
    }
    const boost::shared_ptr<TextureInfo> texture = findTexture(colourAttachment_);
    if (!texture) {
        return false;
    }
    width = texture->width;
    height = texture->height;
    return true;
}

unsigned RenderTargetOpenGlsl::getCurrentRenderWidth() {
    unsigned width = 0;
    unsigned height = 0;
    return renderTextureSize(width, height) ? width : displayWidth_;
}

unsigned RenderTargetOpenGlsl::getCurrentRenderHeight() {
    unsigned width = 0;
    unsigned height = 0;
    return renderTextureSize(width, height) ? height : displayHeight_;
}

}  // namespace orvo
