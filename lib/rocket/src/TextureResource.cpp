#include "TextureResource.h"

#include <Rocket/Core/Log.h>
#include <Rocket/Core/RenderInterface.h>

#include <algorithm>

namespace Rocket {
namespace Core {

namespace {

// Never destroyed: textures may outlive static destruction in leaked objects.
std::vector<TextureResource*>& LiveTextures() {
    static auto* live = new std::vector<TextureResource*>();
    return *live;
}

}  // namespace

TextureResource::TextureResource(const String& source_) : source(source_), generated(false) {
    LiveTextures().push_back(this);
}

TextureResource::TextureResource(const Vector2i& dimensions_)
    : generated(true),
      pixels(static_cast<size_t>(dimensions_.x) * static_cast<size_t>(dimensions_.y) * 4, 0),
      dimensions(dimensions_) {
    LiveTextures().push_back(this);
}

TextureResource::~TextureResource() {
    Release();
    auto& live = LiveTextures();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

bool TextureResource::Load(RenderInterface* render_interface) {
    owner = render_interface;
    if (generated) return render_interface->GenerateTexture(handle, pixels.data(), dimensions);
    Vector2i loaded;
    if (!render_interface->LoadTexture(handle, loaded, source)) {
        handle = 0;
        return false;
    }
    dimensions = loaded;
    return true;
}

TextureHandle TextureResource::GetHandle(RenderInterface* render_interface) {
    if (render_interface == nullptr) return 0;
    if (handle != 0 && owner != render_interface) Release();
    if (handle == 0 && !failed && !Load(render_interface)) {
        failed = true;
        handle = 0;
        Log::Message(Log::LT_WARNING, "Failed to load texture from %s.",
                     generated ? "generated pixels" : source.c_str());
    }
    return handle;
}

Vector2i TextureResource::GetDimensions(RenderInterface* render_interface) {
    GetHandle(render_interface);
    return dimensions;
}

void TextureResource::Release() {
    if (handle != 0 && owner != nullptr) owner->ReleaseTexture(handle);
    handle = 0;
    owner = nullptr;
    failed = false;
}

void TextureResource::ReleaseAll() {
    for (TextureResource* texture : LiveTextures()) texture->Release();
}

}  // namespace Core
}  // namespace Rocket
