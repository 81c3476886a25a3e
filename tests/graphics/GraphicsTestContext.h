#pragma once

#include <gtest/gtest.h>

#include <EGL/egl.h>

#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <initializer_list>

#include "graphics/material/Material.h"
#include "graphics/opengl/RenderTargetGles2.h"
#include "graphics/shader/ShaderProgram.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexIndexBufferData.h"

// Positions as they are, texture coordinates 0 passed on as v_uv: the vertex half of the
// textured programs.
inline constexpr const char* TEXTURE_VERTEX_SOURCE = R"(#version 100
attribute vec3 a_position;
attribute vec2 a_texCoord0;
varying vec2 v_uv;
void main() {
    v_uv = a_texCoord0;
    gl_Position = vec4(a_position, 1.0);
}
)";

// A drawn pair of blocks.
struct TestGeometry {
    boost::shared_ptr<orvo::VertexBufferData> vertices;
    boost::shared_ptr<orvo::VertexIndexBufferData> indices;
};

// Mesa in a 1024x600 pbuffer (EGL_PLATFORM=surfaceless) standing in for the window, with the
// shader, texture and graphics services registered and the target initialised at that size.
class GraphicsTest : public ::testing::Test {
protected:
    static constexpr int WIDTH = 1024;
    static constexpr int HEIGHT = 600;

    void SetUp() override;
    void TearDown() override;

    orvo::RenderTargetGles2& target();

    // A program of position and colour with a vec4 uniform u_tint multiplying the colour.
    static boost::shared_ptr<orvo::ShaderProgram> addColourProgram(orvo::HashString name);
    static boost::shared_ptr<orvo::Material> material(orvo::HashString shader);
    // An axis-aligned rectangle in clip space (position and colour), counter-clockwise.
    static TestGeometry rectangle(float x0, float y0, float x1, float y1, uint32_t rgba);
    // The same blocks built in the given storage and destroyed there when the last pointer
    // drops, so that successive rectangles take the very same addresses.
    static TestGeometry rectangleAt(void* vertexSpace, void* indexSpace, float x0, float y0,
                                    float x1, float y1, uint32_t rgba);
    // An index block of those vertex indices; with storage, built and destroyed there like the
    // blocks of rectangleAt.
    static boost::shared_ptr<orvo::VertexIndexBufferData> indexBlock(
        std::initializer_list<unsigned short> indices, void* space = nullptr);
    // One pixel of the framebuffer, as 0xRRGGBBAA.
    static uint32_t pixel(int x, int y);

    EGLDisplay display_ = EGL_NO_DISPLAY;
};
