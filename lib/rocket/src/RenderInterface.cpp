#include <Rocket/Core/RenderInterface.h>

namespace Rocket {
namespace Core {

CompiledGeometryHandle RenderInterface::CompileGeometry(Vertex*, int, int*, int, TextureHandle) {
    return 0;
}

void RenderInterface::RenderCompiledGeometry(CompiledGeometryHandle, const Vector2f&) {}

void RenderInterface::ReleaseCompiledGeometry(CompiledGeometryHandle) {}

bool RenderInterface::LoadTexture(TextureHandle&, Vector2i&, const String&) { return false; }

bool RenderInterface::GenerateTexture(TextureHandle&, const byte*, const Vector2i&) {
    return false;
}

void RenderInterface::ReleaseTexture(TextureHandle) {}

float RenderInterface::GetHorizontalTexelOffset() { return 0; }

float RenderInterface::GetVerticalTexelOffset() { return 0; }

}  // namespace Core
}  // namespace Rocket
