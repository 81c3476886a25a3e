#include "ElementImage.h"

#include "TextureDatabase.h"
#include "TextureResource.h"

#include <Rocket/Core/Context.h>
#include <Rocket/Core/Core.h>
#include <Rocket/Core/ElementDocument.h>
#include <Rocket/Core/SystemInterface.h>

namespace Rocket {
namespace Core {

ElementImage::ElementImage(const String& tag_) : Element(tag_) {}

ElementImage::~ElementImage() = default;

std::shared_ptr<TextureResource> ElementImage::GetTexture() {
    if (!texture_dirty) return texture;
    texture_dirty = false;
    texture.reset();
    String source = GetAttribute<String>("src", String());
    if (source.empty()) return texture;
    ElementDocument* document = GetOwnerDocument();
    SystemInterface* system_interface = GetSystemInterface();
    String path = source;
    if (document != nullptr && system_interface != nullptr)
        system_interface->JoinPath(path, document->GetSourceURL(), source);
    texture = TextureDatabase::Fetch(path);
    geometry.SetTexture(texture);
    return texture;
}

bool ElementImage::GetIntrinsicDimensions(Vector2f& dimensions) {
    dimensions = Vector2f();
    Context* owner = GetContext();
    if (std::shared_ptr<TextureResource> image = GetTexture()) {
        Vector2i size =
            image->GetDimensions(owner != nullptr ? owner->GetRenderInterface() : nullptr);
        dimensions = Vector2f(static_cast<float>(size.x), static_cast<float>(size.y));
    }
    if (HasAttribute("width")) dimensions.x = GetAttribute<float>("width", dimensions.x);
    if (HasAttribute("height")) dimensions.y = GetAttribute<float>("height", dimensions.y);
    if (dimensions.x < 0) dimensions.x = 0;
    if (dimensions.y < 0) dimensions.y = 0;
    return true;
}

void ElementImage::OnAttributeChange(const String& name) {
    Element::OnAttributeChange(name);
    if (name == "src") texture_dirty = true;
    if (name == "src" || name == "width" || name == "height") DirtyLayout();
}

void ElementImage::OnLayout() {
    Element::OnLayout();
    image_geometry_dirty = true;
}

void ElementImage::OnRender(RenderInterface* render_interface) {
    if (!GetTexture()) return;
    if (image_geometry_dirty) {
        image_geometry_dirty = false;
        geometry.Release(true);
        const Box& box = GetBox();
        geometry.AddQuad(box.GetPosition(Box::CONTENT), box.GetSize(Box::CONTENT),
                         Colourb(255, 255, 255, 255), Vector2f(0, 0), Vector2f(1, 1));
    }
    geometry.Render(render_interface, GetAbsoluteOffset(Box::BORDER));
}

}  // namespace Core
}  // namespace Rocket
