#pragma once

#include <Rocket/Core/Vertex.h>

namespace Rocket {
namespace Core {

// Implemented by the application: draws what the library generates.
class RenderInterface {
public:
    virtual ~RenderInterface() = default;

    virtual void RenderGeometry(Vertex* vertices, int num_vertices, int* indices, int num_indices,
                                TextureHandle texture, const Vector2f& translation) = 0;

    // Optional: returning 0 makes the library draw the geometry with RenderGeometry instead.
    virtual CompiledGeometryHandle CompileGeometry(Vertex* vertices, int num_vertices, int* indices,
                                                   int num_indices, TextureHandle texture);
    virtual void RenderCompiledGeometry(CompiledGeometryHandle geometry,
                                        const Vector2f& translation);
    virtual void ReleaseCompiledGeometry(CompiledGeometryHandle geometry);

    virtual void EnableScissorRegion(bool enable) = 0;
    virtual void SetScissorRegion(int x, int y, int width, int height) = 0;

    virtual bool LoadTexture(TextureHandle& texture_handle, Vector2i& texture_dimensions,
                             const String& source);
    // source holds width x height RGBA pixels, rows from the top.
    virtual bool GenerateTexture(TextureHandle& texture_handle, const byte* source,
                                 const Vector2i& source_dimensions);
    virtual void ReleaseTexture(TextureHandle texture);

    virtual float GetHorizontalTexelOffset();
    virtual float GetVerticalTexelOffset();
};

}  // namespace Core
}  // namespace Rocket
