#include <Rocket/Core/Geometry.h>

#include "TextureResource.h"

#include <Rocket/Core/RenderInterface.h>

#include <algorithm>

namespace Rocket {
namespace Core {

namespace {

std::vector<Geometry*>& LiveGeometry() {
    static auto* live = new std::vector<Geometry*>();
    return *live;
}

}  // namespace

Geometry::Geometry() { LiveGeometry().push_back(this); }

Geometry::~Geometry() {
    Release();
    auto& live = LiveGeometry();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void Geometry::SetTexture(std::shared_ptr<TextureResource> texture_) {
    Release();
    texture = std::move(texture_);
}

void Geometry::Render(RenderInterface* render_interface, const Vector2f& translation) {
    if (render_interface == nullptr || vertices.empty() || indices.empty()) return;
    TextureHandle texture_handle = 0;
    if (texture) {
        texture_handle = texture->GetHandle(render_interface);
        if (texture_handle == 0) return;
    }
    // A texture made again gets a new handle: the compiled form names the old one.
    if (compiled != 0 &&
        (compiled_interface != render_interface || compiled_texture != texture_handle))
        Release();
    if (compiled == 0 && !compile_failed) {
        compiled = render_interface->CompileGeometry(
            vertices.data(), static_cast<int>(vertices.size()), indices.data(),
            static_cast<int>(indices.size()), texture_handle);
        compiled_interface = render_interface;
        compiled_texture = texture_handle;
        compile_failed = compiled == 0;
    }
    if (compiled != 0)
        render_interface->RenderCompiledGeometry(compiled, translation);
    else
        render_interface->RenderGeometry(vertices.data(), static_cast<int>(vertices.size()),
                                         indices.data(), static_cast<int>(indices.size()),
                                         texture_handle, translation);
}

void Geometry::Release(bool clear_buffers) {
    if (compiled != 0 && compiled_interface != nullptr)
        compiled_interface->ReleaseCompiledGeometry(compiled);
    compiled = 0;
    compiled_interface = nullptr;
    compiled_texture = 0;
    compile_failed = false;
    if (clear_buffers) {
        vertices.clear();
        indices.clear();
    }
}

void Geometry::AddQuad(const Vector2f& origin, const Vector2f& size, const Colourb& colour,
                       const Vector2f& uv0, const Vector2f& uv1) {
    if (size.x <= 0 || size.y <= 0) return;
    Release();
    int first = static_cast<int>(vertices.size());
    vertices.push_back({origin, colour, uv0});
    vertices.push_back({Vector2f(origin.x + size.x, origin.y), colour, Vector2f(uv1.x, uv0.y)});
    vertices.push_back({origin + size, colour, uv1});
    vertices.push_back({Vector2f(origin.x, origin.y + size.y), colour, Vector2f(uv0.x, uv1.y)});
    for (int corner : {0, 1, 2, 0, 2, 3}) indices.push_back(first + corner);
}

void Geometry::ReleaseAllCompiled() {
    for (Geometry* geometry : LiveGeometry()) geometry->Release();
}

}  // namespace Core
}  // namespace Rocket
