#pragma once

#include <Rocket/Core/RenderInterface.h>

#include <boost/shared_ptr.hpp>
#include <cstdint>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/maths/ZqMatrix.h"
#include "graphics/material/Material.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexBufferManager.h"
#include "graphics/vertex/VertexIndexBufferData.h"
#include "graphics/vertex/VertexIndexBufferManager.h"

namespace orvo {

// Turns the UI library's geometry into the engine's vertex and index blocks, drawn with the UI
// program through the graphics service; textures and their materials live in the texture and
// material services. A texture handle is the name id of the texture, drawn by the material of
// the same name.
class RocketRenderInterface : public Rocket::Core::RenderInterface {
public:
    // A material this interface made, with the number of texture handles using it.
    struct MaterialUse {
        HashString name;
        unsigned uses;
        // The record in its own material group, so that a game material of the same name is
        // never drawn, counted or released in its place.
        boost::shared_ptr<const Material> material;
    };

    // What a compiled geometry handle points at.
    struct CompiledGeometry {
        HashString group;
        HashString material;
    };

    RocketRenderInterface();
    ~RocketRenderInterface() override;
    RocketRenderInterface(const RocketRenderInterface&) = delete;
    RocketRenderInterface& operator=(const RocketRenderInterface&) = delete;

    // Only untextured geometry: textured geometry is always compiled.
    void RenderGeometry(Rocket::Core::Vertex* vertices, int vertexCount, int* indices,
                        int indexCount, Rocket::Core::TextureHandle texture,
                        const Rocket::Core::Vector2f& translation) override;
    Rocket::Core::CompiledGeometryHandle CompileGeometry(
        Rocket::Core::Vertex* vertices, int vertexCount, int* indices, int indexCount,
        Rocket::Core::TextureHandle texture) override;
    void RenderCompiledGeometry(Rocket::Core::CompiledGeometryHandle geometry,
                                const Rocket::Core::Vector2f& translation) override;
    void ReleaseCompiledGeometry(Rocket::Core::CompiledGeometryHandle geometry) override;
    void EnableScissorRegion(bool enable) override;
    // The rectangle counts from the top left; GL's from the bottom left.
    void SetScissorRegion(int x, int y, int width, int height) override;
    bool LoadTexture(Rocket::Core::TextureHandle& handle, Rocket::Core::Vector2i& dimensions,
                     const Rocket::Core::String& source) override;
    bool GenerateTexture(Rocket::Core::TextureHandle& handle, const Rocket::Core::byte* pixels,
                         const Rocket::Core::Vector2i& dimensions) override;
    void ReleaseTexture(Rocket::Core::TextureHandle handle) override;
    float GetHorizontalTexelOffset() override { return 0.0f; }
    float GetVerticalTexelOffset() override { return 0.0f; }

    // UI pixels to the unit square of the UI camera: (x / w, 1 - y / h); v becomes 1 - v.
    // Empty without a render target of some size.
    boost::shared_ptr<VertexBufferData> constructVertexBuffer(const Rocket::Core::Vertex* vertices,
                                                              int count) const;
    static boost::shared_ptr<VertexIndexBufferData> constructIndexBuffer(const int* indices,
                                                                         int count);
    boost::shared_ptr<ZqMatrix<4, 4>> constructTransformMatrix(float x, float y) const;
    // pixels: width x height pixels of 3 bytes (format 2) or 4, rows from the top.
    bool constructTexture(HashString name, const unsigned char* pixels, unsigned width,
                          unsigned height, uint32_t format);
    bool constructAndAddMaterial(HashString name);
    void constructDefaultMaterial();
    // Positions in generatedTextures and materialUses, or -1.
    int findGenerated(HashString name) const;
    int findContructedMaterialName(HashString name) const;

    const Array<MaterialUse>& getMaterialUses() const { return materialUses; }
    const Array<unsigned>& getGeneratedTextures() const { return generatedTextures; }
    const boost::shared_ptr<Material>& getDefaultMaterial() const { return defaultMaterial; }
    VertexBufferManager& getGeometryVertices() { return geometryVertices; }
    VertexIndexBufferManager& getGeometryIndices() { return geometryIndices; }

private:
    void removeGeometryGroup(HashString group);
    void releaseMaterial(std::size_t use);
    void releaseGenerated(std::size_t index);

    VertexBufferManager geometryVertices;
    VertexIndexBufferManager geometryIndices;
    Array<MaterialUse> materialUses;
    Array<unsigned> generatedTextures;
    boost::shared_ptr<Material> defaultMaterial;
};

}  // namespace orvo
