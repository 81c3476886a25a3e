#pragma once

#include "graphics/opengl/RenderTargetOpenGlsl.h"

namespace orvo {

// The OpenGL ES 2.0 target over the window's EGL context.
class RenderTargetGles2 : public RenderTargetOpenGlsl {
public:
    explicit RenderTargetGles2(const char* name) : RenderTargetOpenGlsl(name) {}
    // Ends the window and its EGL context.
    ~RenderTargetGles2() override;

    bool initialise(const OptimiseRender& mode) override;
    bool reinitialise() override { return true; }
    void setDisplayDimensions(unsigned width, unsigned height) override;
    void setDisplayFormat(unsigned) override {}
    void setWindowed(bool, const ZqString&) override {}
    void renderToTexture(HashString colour, HashString depth, HashString third,
                         HashString fourth) override;
    void renderToScreen() override;
    bool displayOn() override { return true; }
    void executeBufferSwitch() override;

private:
    // Attaches a texture to the framebuffer when its name differs from the one attached.
    void attach(unsigned attachment, HashString name, HashString& attached);
};

}  // namespace orvo
