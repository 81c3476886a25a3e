#include <Rocket/Core/Core.h>

#include "ContextRegistry.h"
#include "ReleaseQueue.h"
#include "StyleSheetFactory.h"
#include "TextureResource.h"

#include <Rocket/Core/Context.h>
#include <Rocket/Core/Factory.h>
#include <Rocket/Core/FontDatabase.h>
#include <Rocket/Core/Geometry.h>
#include <Rocket/Core/Log.h>

namespace Rocket {
namespace Core {

namespace {

SystemInterface* system_interface = nullptr;
RenderInterface* render_interface = nullptr;
FileInterface* file_interface = nullptr;
bool initialised = false;

}  // namespace

bool Initialise() {
    if (system_interface == nullptr || file_interface == nullptr) return false;
    if (!initialised) FontDatabase::Initialise();
    initialised = true;
    return true;
}

void Shutdown() {
    if (!initialised) return;
    // Contexts first: their documents hold listeners made by the instancer.
    std::vector<Context*> contexts = ContextRegistry::Contexts();
    for (Context* context : contexts) delete context;
    ReleaseQueue::Flush();
    Factory::Shutdown();
    FontDatabase::Shutdown();
    ReleaseCompiledGeometries();
    ReleaseTextures();
    initialised = false;
}

String GetVersion() { return "1.2-trellin"; }

void SetSystemInterface(SystemInterface* interface) { system_interface = interface; }
SystemInterface* GetSystemInterface() { return system_interface; }
void SetRenderInterface(RenderInterface* interface) { render_interface = interface; }
RenderInterface* GetRenderInterface() { return render_interface; }
void SetFileInterface(FileInterface* interface) { file_interface = interface; }
FileInterface* GetFileInterface() { return file_interface; }

Context* CreateContext(const String& name, const Vector2i& dimensions,
                       RenderInterface* context_render_interface) {
    if (!initialised) return nullptr;
    RenderInterface* used =
        context_render_interface != nullptr ? context_render_interface : render_interface;
    if (used == nullptr) {
        Log::Message(Log::LT_ERROR, "Failed to create context '%s', no render interface.",
                     name.c_str());
        return nullptr;
    }
    if (GetContext(name) != nullptr) {
        Log::Message(Log::LT_WARNING, "Failed to create context '%s', name already taken.",
                     name.c_str());
        return nullptr;
    }
    auto* context = new Context(name, dimensions, used);
    ContextRegistry::Contexts().push_back(context);
    return context;
}

Context* GetContext(const String& name) {
    for (Context* context : ContextRegistry::Contexts())
        if (context->GetName() == name) return context;
    return nullptr;
}

Context* GetContext(int index) {
    auto& contexts = ContextRegistry::Contexts();
    if (index < 0 || index >= static_cast<int>(contexts.size())) return nullptr;
    return contexts[static_cast<size_t>(index)];
}

int GetNumContexts() { return static_cast<int>(ContextRegistry::Contexts().size()); }

void ReleaseTextures() { TextureResource::ReleaseAll(); }

void ReleaseCompiledGeometries() { Geometry::ReleaseAllCompiled(); }

}  // namespace Core
}  // namespace Rocket
