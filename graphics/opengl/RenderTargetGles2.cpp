#include "graphics/opengl/RenderTargetGles2.h"

#include <GLES2/gl2.h>

#include "graphics/texture/TextureManager.h"
#include "platform/playbook/QnxWindow.h"

namespace orvo {

RenderTargetGles2::~RenderTargetGles2() { qnxDestroy(&qnxContext); }

bool RenderTargetGles2::initialise(const OptimiseRender& mode) {
    optimiseMode_ = mode;
    if (vboNames_.empty()) {
        vboNames_.resize(VBO_POOL_SIZE, 0);
    } else {
        flushVertexBuffers();
    }
    // Without the name table the pool stays empty and nothing is cached or drawn.
    if (!vboNames_.empty()) {
        glGenBuffers(VBO_POOL_SIZE, vboNames_.data());
        vboInUse_.clear();
        vboInUse_.resize(VBO_POOL_SIZE, 0);
    }
    setBackgroundClearColor(ZqColorRoot<float>{0.2f, 0.2f, 0.2f, 1.0f});
    framebuffer_ = 0;
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (mode == DEPTH_ON) {
        glEnable(GL_DEPTH_TEST);
        glClearDepthf(1.0f);
        enableDepthTestRead();
        enableDepthTestWrite();
    } else if (mode == DEPTH_OFF) {
        disableDepthTestRead();
        disableDepthTestWrite();
        glDisable(GL_DEPTH_TEST);
    }
    glViewport(0, 0, static_cast<GLsizei>(displayWidth_), static_cast<GLsizei>(displayHeight_));
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    enableBackFaceCulling();
    disableAlphaBlending();
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
    textureUnitLimit_ = units > 0 ? static_cast<uint32_t>(units) : 0;
    return true;
}

void RenderTargetGles2::setDisplayDimensions(unsigned width, unsigned height) {
    displayWidth_ = width;
    displayHeight_ = height;
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glScissor(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
}

void RenderTargetGles2::attach(unsigned attachment, HashString name, HashString& attached) {
    if (name == HashString()) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, 0, 0);
        // Forgotten, so that attaching the earlier texture again is not skipped.
        attached = HashString();
        return;
    }
    if (name == attached || TextureManager::instance_ == nullptr) {
        return;
    }
    const boost::shared_ptr<TextureInfo> texture = TextureManager::instance_->getStatic(name);
    if (!texture) {
        return;
    }
    glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, texture->glName, 0);
    attached = name;
}

void RenderTargetGles2::renderToTexture(HashString colour, HashString depth, HashString,
                                        HashString) {
    renderingToTexture_ = true;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    const HashString sized = colour != HashString() ? colour : depth;
    if (sized == HashString() || TextureManager::instance_ == nullptr) {
        return;
    }
    const boost::shared_ptr<TextureInfo> texture = TextureManager::instance_->getStatic(sized);
    if (!texture) {
        return;
    }
    attach(GL_COLOR_ATTACHMENT0, colour, colourAttachment_);
    attach(GL_DEPTH_ATTACHMENT, depth, depthAttachment_);
    glCheckFramebufferStatus(GL_FRAMEBUFFER);
    glViewport(0, 0, static_cast<GLsizei>(texture->width), static_cast<GLsizei>(texture->height));
}

void RenderTargetGles2::renderToScreen() {
    if (!renderingToTexture_) {
        return;
    }
    renderingToTexture_ = false;
    colourAttachment_ = HashString();
    depthAttachment_ = HashString();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, static_cast<GLsizei>(displayWidth_), static_cast<GLsizei>(displayHeight_));
}

void RenderTargetGles2::executeBufferSwitch() { qnxSwap(&qnxContext); }

}  // namespace orvo
