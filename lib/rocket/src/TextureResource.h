#pragma once

#include <Rocket/Core/Types.h>

#include <memory>
#include <vector>

namespace Rocket {
namespace Core {

class RenderInterface;

// A texture known to the library: either a file (loaded through the render
// interface) or pixels made here (font atlases). The handle is made on first
// use and can be given back at any time; it is made again when next needed.
class TextureResource {
public:
    // A texture read from source by the render interface.
    explicit TextureResource(const String& source_);
    // A texture of RGBA pixels owned by the resource.
    explicit TextureResource(const Vector2i& dimensions_);
    ~TextureResource();
    TextureResource(const TextureResource&) = delete;
    TextureResource& operator=(const TextureResource&) = delete;

    // 0 when the texture cannot be made.
    TextureHandle GetHandle(RenderInterface* render_interface);
    Vector2i GetDimensions(RenderInterface* render_interface);

    std::vector<byte>& GetPixels() { return pixels; }
    // The pixels changed: the next use makes a new handle.
    void Invalidate() { Release(); }
    void Release();

    static void ReleaseAll();

private:
    bool Load(RenderInterface* render_interface);

    String source;
    bool generated;
    std::vector<byte> pixels;
    Vector2i dimensions;
    TextureHandle handle = 0;
    RenderInterface* owner = nullptr;
    bool failed = false;
};

}  // namespace Core
}  // namespace Rocket
