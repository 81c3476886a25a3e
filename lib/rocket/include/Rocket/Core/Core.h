#pragma once

#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

class Context;
class FileInterface;
class RenderInterface;
class SystemInterface;

// Needs the system and file interfaces set first; false otherwise.
bool Initialise();
// Destroys the contexts and forgets cached style sheets, fonts and the instancer.
// The interfaces stay set, so the library can be initialised again.
void Shutdown();
String GetVersion();

void SetSystemInterface(SystemInterface* system_interface);
SystemInterface* GetSystemInterface();
void SetRenderInterface(RenderInterface* render_interface);
RenderInterface* GetRenderInterface();
void SetFileInterface(FileInterface* file_interface);
FileInterface* GetFileInterface();

// The context comes with one reference owned by the caller; releasing it destroys the context.
// Null when the name is taken, or there is no render interface, or the library is not initialised.
Context* CreateContext(const String& name, const Vector2i& dimensions,
                       RenderInterface* render_interface = nullptr);
Context* GetContext(const String& name);
Context* GetContext(int index);
int GetNumContexts();

// Give back every texture / compiled geometry to the render interface; both are made again when
// next drawn.
void ReleaseTextures();
void ReleaseCompiledGeometries();

}  // namespace Core
}  // namespace Rocket
