#pragma once

#include <Rocket/Core/Vertex.h>

#include <memory>
#include <vector>

namespace Rocket {
namespace Core {

class RenderInterface;
class TextureResource;

// Vertices and indices drawn with one texture; compiled through the render
// interface on first draw when it supports that.
class Geometry {
public:
    Geometry();
    ~Geometry();
    Geometry(const Geometry&) = delete;
    Geometry& operator=(const Geometry&) = delete;

    void SetTexture(std::shared_ptr<TextureResource> texture_);

    void Render(RenderInterface* render_interface, const Vector2f& translation);
    // Drops the compiled form (and with clear_buffers the data too).
    void Release(bool clear_buffers = false);

    // Appends a quad; uv0/uv1 are the texture coordinates of its top-left and bottom-right.
    void AddQuad(const Vector2f& origin, const Vector2f& size, const Colourb& colour,
                 const Vector2f& uv0 = Vector2f(), const Vector2f& uv1 = Vector2f());

    // Releases the compiled form of every geometry alive.
    static void ReleaseAllCompiled();

private:
    std::vector<Vertex> vertices;
    std::vector<int> indices;
    std::shared_ptr<TextureResource> texture;
    CompiledGeometryHandle compiled = 0;
    RenderInterface* compiled_interface = nullptr;
    TextureHandle compiled_texture = 0;
    bool compile_failed = false;
};

}  // namespace Core
}  // namespace Rocket
