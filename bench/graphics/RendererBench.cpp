// 2000 draws of 300-triangle meshes per frame on Mesa in a pbuffer: through the renderer with
// its state caches, against the same draws as plain GL calls that set every state each time.
// The plain benchmark runs last: its calls leave GL state behind the renderer's caches.
#include <EGL/egl.h>
#include <GLES2/gl2.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/file/FileMemory.h"
#include "core/locator/ServiceSingleton.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/material/Material.h"
#include "graphics/opengl/RenderTargetOpenGlsl.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "graphics/texture/TextureManager.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexIndexBufferData.h"
#include "platform/playbook/QnxWindow.h"
#include "tests/graphics/ColourShaderSource.h"
#include "tests/graphics/PbufferContext.h"
#include "tests/graphics/TestUpdater.h"

using namespace orvo;

namespace {

const int DRAWS = 2000;
const int MESHES = 20;
const int GRID = 15;  // 15 x 10 quads: 300 triangles

struct Mesh {
    boost::shared_ptr<VertexBufferData> vertices;
    boost::shared_ptr<VertexIndexBufferData> indices;
};

struct Vertex {
    float position[3];
    unsigned char colour[4];
};

// A small grid of quads at one place of the screen.
Mesh makeMesh(int index) {
    const float x0 = -0.9f + 0.09f * static_cast<float>(index % 10);
    const float y0 = -0.5f + 0.5f * static_cast<float>(index / 10);
    Mesh mesh;
    mesh.vertices.reset(new VertexBufferData());
    const int columns = GRID + 1;
    const int rows = 11;
    mesh.vertices->formatFlags = VertexBufferData::POSITION | VertexBufferData::COLOUR;
    mesh.vertices->vertexCount = columns * rows;
    mesh.vertices->stride = sizeof(Vertex);
    mesh.vertices->dataSize = columns * rows * sizeof(Vertex);
    mesh.vertices->data =
        static_cast<unsigned char*>(FileMemory::allocate(mesh.vertices->dataSize, 0));
    mesh.vertices->ownsData = 1;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const Vertex v = {{x0 + 0.005f * c, y0 + 0.005f * r, 0.0f},
                              {static_cast<unsigned char>(r * 20), 128, 255, 255}};
            std::memcpy(mesh.vertices->data + (r * columns + c) * sizeof(Vertex), &v, sizeof(v));
        }
    }
    mesh.indices.reset(new VertexIndexBufferData());
    for (int r = 0; r + 1 < rows; ++r) {
        for (int c = 0; c < GRID; ++c) {
            const unsigned short a = static_cast<unsigned short>(r * columns + c);
            const unsigned short b = static_cast<unsigned short>(a + columns);
            for (unsigned short i :
                 {a, static_cast<unsigned short>(a + 1), b, static_cast<unsigned short>(a + 1),
                  static_cast<unsigned short>(b + 1), b}) {
                mesh.indices->indices.pushBack(i);
            }
        }
    }
    return mesh;
}

// The pbuffer context and the services, made once for both benchmarks.
struct Scene {
    Scene() {
        setenv("EGL_PLATFORM", "surfaceless", 1);
        ok = openPbufferContext(1024, 600) == nullptr;
        Locator::registerService<ShaderManager>("ShaderManager");
        Locator::registerService<ShaderCache>("ShaderCache");
        Locator::registerService<TextureManager>("TextureManager");
        Locator::registerService<GraphicsSystem>("GraphicsSystem");
        GraphicsSystem::instance_->initialise(RenderTarget::DEPTH_ON);
        GraphicsSystem::instance_->getCurrentRenderTarget()->setDisplayDimensions(1024, 600);
        for (const char* name : {"first", "second"}) {
            programs.push_back(ShaderManager::instance_->addShaderProgram(
                name, reinterpret_cast<const unsigned char*>(COLOUR_VERTEX_SOURCE),
                reinterpret_cast<const unsigned char*>(COLOUR_FRAGMENT_SOURCE), ZqString(),
                ZqString()));
            boost::shared_ptr<Material> material(new Material());
            material->shaderName = name;
            materials.push_back(material);
        }
        ShaderCache::instance_->addUpdater(boost::shared_ptr<BaseShaderParameterUpdater>(
            new TestUpdater("u_tint", BaseShaderParameterUpdater::CACHE_PER_FRAME,
                            ZqVector<4>(1.0f, 0.5f, 0.5f, 1.0f))));
        for (int i = 0; i < MESHES; ++i) {
            meshes.push_back(makeMesh(i));
        }
        // The plain-GL frame's buffers, made once like the renderer's cached pairs.
        buffers.resize(2 * MESHES);
        glGenBuffers(2 * MESHES, buffers.data());
        for (int m = 0; m < MESHES; ++m) {
            glBindBuffer(GL_ARRAY_BUFFER, buffers[2 * m]);
            glBufferData(GL_ARRAY_BUFFER, meshes[m].vertices->dataSize, meshes[m].vertices->data,
                         GL_STATIC_DRAW);
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[2 * m + 1]);
            glBufferData(GL_ELEMENT_ARRAY_BUFFER, meshes[m].indices->indices.size() * 2,
                         meshes[m].indices->indices.data(), GL_STATIC_DRAW);
        }
        GraphicsSystem::instance_->getCurrentRenderTarget()->flushVertexBuffers();
    }

    bool ok = false;
    std::vector<boost::shared_ptr<ShaderProgram>> programs;
    std::vector<boost::shared_ptr<Material>> materials;
    std::vector<Mesh> meshes;
    std::vector<GLuint> buffers;
};

// Draw i: mesh i mod 20, the program changing every 100 draws.
int meshOf(int i) { return i % MESHES; }
int programOf(int i) { return (i / 100) % 2; }

void rendererFrame(const Scene& s) {
    RenderTarget& target = *GraphicsSystem::instance_->getCurrentRenderTarget();
    const boost::shared_ptr<ZqMatrix<4, 4>> noWorld;
    target.startFrame();
    for (int i = 0; i < DRAWS; ++i) {
        target.disableAlphaBlending();
        target.enableDepthTestRead();
        target.enableBackFaceCulling();
        const Mesh& mesh = s.meshes[meshOf(i)];
        GraphicsSystem::instance_->drawStaticItem(s.materials[programOf(i)], mesh.vertices,
                                                  mesh.indices, noWorld);
    }
    target.endFrame();
    glFinish();
}

// The same frame as a renderer without caches would issue it: every state, every draw.
void rawFrame(const Scene& s) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int i = 0; i < DRAWS; ++i) {
        glDisable(GL_BLEND);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        const ShaderProgram& program = *s.programs[programOf(i)];
        glUseProgram(program.programName);
        glUniform4f(static_cast<GLint>(program.getUniform("u_tint").location), 1.0f, 0.5f, 0.5f,
                    1.0f);
        const int m = meshOf(i);
        glBindBuffer(GL_ARRAY_BUFFER, s.buffers[2 * m]);
        for (const ShaderParameter& attribute : program.data.attributes) {
            glEnableVertexAttribArray(attribute.location);
            const bool isPosition = attribute.name == HashString("a_position");
            glVertexAttribPointer(
                attribute.location, isPosition ? 3 : 4, isPosition ? GL_FLOAT : GL_UNSIGNED_BYTE,
                GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(isPosition ? 0 : 12));
        }
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, s.buffers[2 * m + 1]);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(s.meshes[m].indices->indices.size()),
                       GL_UNSIGNED_SHORT, nullptr);
    }
    eglSwapBuffers(qnxContext.display, qnxContext.surface);
    glFinish();
}

const Scene* warmScene() {
    static Scene s;
    static bool warm = false;
    if (s.ok && !warm) {
        // Mesa compiles its shader variants and grows its pools in the first frames.
        for (int i = 0; i < 3; ++i) {
            rawFrame(s);
        }
        // The plain frames bound buffers behind the renderer's caches.
        GraphicsSystem::instance_->getCurrentRenderTarget()->flushVertexBuffers();
        for (int i = 0; i < 3; ++i) {
            rendererFrame(s);
        }
        warm = true;
    }
    return s.ok ? &s : nullptr;
}

void BM_RendererWithStateCaches(benchmark::State& state) {
    const Scene* s = warmScene();
    if (s == nullptr) {
        state.SkipWithError("no EGL pbuffer context");
        return;
    }
    for (auto _ : state) {
        rendererFrame(*s);
    }
    state.SetItemsProcessed(state.iterations() * DRAWS);
}

void BM_RawGlEveryStateEachDraw(benchmark::State& state) {
    const Scene* s = warmScene();
    if (s == nullptr) {
        state.SkipWithError("no EGL pbuffer context");
        return;
    }
    for (auto _ : state) {
        rawFrame(*s);
    }
    state.SetItemsProcessed(state.iterations() * DRAWS);
}

}  // namespace

BENCHMARK(BM_RendererWithStateCaches)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawGlEveryStateEachDraw)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
