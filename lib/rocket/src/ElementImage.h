#pragma once

#include <Rocket/Core/Element.h>

namespace Rocket {
namespace Core {

// <img src="..." [width="..."] [height="..."]>: a replaced element showing a texture.
class ElementImage : public Element {
public:
    explicit ElementImage(const String& tag_);
    ~ElementImage() override;

    // The texture's size, or the width and height attributes when given.
    bool GetIntrinsicDimensions(Vector2f& dimensions) override;

protected:
    void OnAttributeChange(const String& name) override;
    void OnRender(RenderInterface* render_interface) override;
    void OnLayout() override;

private:
    std::shared_ptr<TextureResource> GetTexture();

    std::shared_ptr<TextureResource> texture;
    bool texture_dirty = true;
    Geometry geometry;
    bool image_geometry_dirty = true;
};

}  // namespace Core
}  // namespace Rocket
