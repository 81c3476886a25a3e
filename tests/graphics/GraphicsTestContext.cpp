#include "tests/graphics/GraphicsTestContext.h"

#include <GLES2/gl2.h>

#include <new>

#include "core/locator/ServiceSingleton.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureManager.h"
#include "platform/playbook/QnxWindow.h"
#include "tests/graphics/ColourShaderSource.h"
#include "tests/graphics/GlRecorder.h"
#include "tests/graphics/PbufferContext.h"

using namespace orvo;

void GraphicsTest::SetUp() {
    // The render target swaps and tears down through the window record this fills.
    const char* failed = openPbufferContext(WIDTH, HEIGHT);
    display_ = qnxContext.display;
    ASSERT_EQ(failed, nullptr) << failed << " failed";

    ASSERT_NE(Locator::registerService<ShaderManager>("ShaderManager"), nullptr);
    ASSERT_NE(Locator::registerService<ShaderCache>("ShaderCache"), nullptr);
    ASSERT_NE(Locator::registerService<TextureManager>("TextureManager"), nullptr);
    ASSERT_NE(Locator::registerService<GraphicsSystem>("GraphicsSystem"), nullptr);
    GraphicsSystem::instance_->initialise(RenderTarget::DEPTH_ON);
    target().setDisplayDimensions(WIDTH, HEIGHT);
}

void GraphicsTest::TearDown() {
    GlRecorder::stop();
    Locator::deregisterService<ShaderCache>();
    Locator::deregisterService<ShaderManager>();
    Locator::deregisterService<TextureManager>();
    // Its target ends the context and the surface.
    Locator::deregisterService<GraphicsSystem>();
    closePbufferContext(display_);
}

RenderTargetGles2& GraphicsTest::target() {
    return static_cast<RenderTargetGles2&>(*GraphicsSystem::instance_->getCurrentRenderTarget());
}

boost::shared_ptr<ShaderProgram> GraphicsTest::addColourProgram(HashString name) {
    return ShaderManager::instance_->addShaderProgram(
        name, reinterpret_cast<const unsigned char*>(COLOUR_VERTEX_SOURCE),
        reinterpret_cast<const unsigned char*>(COLOUR_FRAGMENT_SOURCE), ZqString(), ZqString());
}

boost::shared_ptr<Material> GraphicsTest::material(HashString shader) {
    boost::shared_ptr<Material> m(new Material());
    m->shaderName = shader;
    return m;
}

namespace {

// Positions and colours of a rectangle, ready for the vertex-block builder.
struct RectangleParts {
    Array<PrimitiveData> positions;
    Array<NormalData> normals;
    Array<TextureCoordinateData> uv0;
    Array<TextureCoordinateData> uv1;
    Array<VertexColorData> colours;
    Array<unsigned short> indices;

    RectangleParts(float x0, float y0, float x1, float y1, uint32_t rgba) {
        const float corners[4][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        for (int i = 0; i < 4; ++i) {
            positions.pushBack(PrimitiveData{corners[i][0], corners[i][1], 0.0f});
            colours.pushBack(
                VertexColorData{static_cast<uint8_t>(rgba >> 24), static_cast<uint8_t>(rgba >> 16),
                                static_cast<uint8_t>(rgba >> 8), static_cast<uint8_t>(rgba)});
        }
        for (unsigned short index : {0, 1, 2, 0, 2, 3}) {
            indices.pushBack(index);
        }
    }
};

template <class T>
void destroyInPlace(T* object) {
    object->~T();
}

}  // namespace

TestGeometry GraphicsTest::rectangle(float x0, float y0, float x1, float y1, uint32_t rgba) {
    RectangleParts parts(x0, y0, x1, y1, rgba);
    TestGeometry g;
    g.vertices.reset(
        new VertexBufferData(parts.positions, parts.normals, parts.uv0, parts.uv1, parts.colours));
    g.indices.reset(new VertexIndexBufferData(parts.indices));
    return g;
}

TestGeometry GraphicsTest::rectangleAt(void* vertexSpace, void* indexSpace, float x0, float y0,
                                       float x1, float y1, uint32_t rgba) {
    RectangleParts parts(x0, y0, x1, y1, rgba);
    TestGeometry g;
    g.vertices.reset(new (vertexSpace) VertexBufferData(parts.positions, parts.normals, parts.uv0,
                                                        parts.uv1, parts.colours),
                     destroyInPlace<VertexBufferData>);
    g.indices.reset(new (indexSpace) VertexIndexBufferData(parts.indices),
                    destroyInPlace<VertexIndexBufferData>);
    return g;
}

boost::shared_ptr<VertexIndexBufferData> GraphicsTest::indexBlock(
    std::initializer_list<unsigned short> indices, void* space) {
    Array<unsigned short> parts;
    for (unsigned short index : indices) {
        parts.pushBack(index);
    }
    if (space == nullptr) {
        return boost::shared_ptr<VertexIndexBufferData>(new VertexIndexBufferData(parts));
    }
    return boost::shared_ptr<VertexIndexBufferData>(new (space) VertexIndexBufferData(parts),
                                                    destroyInPlace<VertexIndexBufferData>);
}

uint32_t GraphicsTest::pixel(int x, int y) {
    uint8_t rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (uint32_t(rgba[0]) << 24) | (uint32_t(rgba[1]) << 16) | (uint32_t(rgba[2]) << 8) |
           uint32_t(rgba[3]);
}
