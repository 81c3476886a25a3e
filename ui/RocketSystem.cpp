#include "ui/RocketSystem.h"

#include <Rocket/Controls.h>
#include <Rocket/Core.h>
#include <jim.h>

#include <algorithm>

#include "core/memory/ZequinAllocation.h"
#include "core/text/StringFunctions.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderManager.h"
#include "ui/EventInstancer.h"
#include "ui/RocketLog.h"
#include "ui/RocketShaderSource.h"
#include "ui/RocketStrings.h"
#include "ui/RocketTclCommands.h"

// The extensions a document script may use; Debian's full static set would also give it exec,
// open, file and sockets.
extern "C" {
int Jim_arrayInit(Jim_Interp* interp);
int Jim_namespaceInit(Jim_Interp* interp);
int Jim_packInit(Jim_Interp* interp);
int Jim_packageInit(Jim_Interp* interp);
int Jim_regexpInit(Jim_Interp* interp);
}

namespace orvo {

namespace {

boost::shared_ptr<RenderTarget> currentTarget() {
    return GraphicsSystem::instance_ != nullptr
               ? GraphicsSystem::instance_->getCurrentRenderTarget()
               : boost::shared_ptr<RenderTarget>();
}

Jim_Obj* listOf(Jim_Interp* interpreter, const Array<int>& values) {
    Jim_Obj* list = interpreter != nullptr ? Jim_NewListObj(interpreter, nullptr, 0) : nullptr;
    for (std::size_t i = 0; list != nullptr && i < values.size(); ++i) {
        Jim_ListAppendElement(interpreter, list, Jim_NewIntObj(interpreter, values[i]));
    }
    return list;
}

Jim_Obj* listOf(Jim_Interp* interpreter, const Array<ZqString>& values) {
    Jim_Obj* list = interpreter != nullptr ? Jim_NewListObj(interpreter, nullptr, 0) : nullptr;
    for (std::size_t i = 0; list != nullptr && i < values.size(); ++i) {
        const ZqString& value = values[i];
        Jim_ListAppendElement(
            interpreter, list,
            Jim_NewStringObj(interpreter, value.c_str(), static_cast<int>(value.size())));
    }
    return list;
}

}  // namespace

// The interpreter allocates through Jim's own Jim_Alloc, Jim_Realloc and Jim_Free, which are
// malloc, realloc and free of the process heap: the allocation functions this service owes it
// (the library offers no hook to supply others).
RocketSystem::RocketSystem()
    : rocketInitialised(false),
      context(nullptr),
      timerClock(0.0),
      windowWidth(0.0f),
      windowHeight(0.0f),
      interpreter(Jim_CreateInterp()) {
    Rocket::Core::SetSystemInterface(&systemInterface);
    Rocket::Core::SetRenderInterface(&renderInterface);
    Rocket::Core::SetFileInterface(&fileInterface);
    initialise();
}

RocketSystem::~RocketSystem() {
    shutdown();
    // The library must not call back into interfaces that are gone.
    if (Rocket::Core::GetSystemInterface() == &systemInterface) {
        Rocket::Core::SetSystemInterface(nullptr);
    }
    if (Rocket::Core::GetRenderInterface() == &renderInterface) {
        Rocket::Core::SetRenderInterface(nullptr);
    }
    if (Rocket::Core::GetFileInterface() == &fileInterface) {
        Rocket::Core::SetFileInterface(nullptr);
    }
    if (interpreter != nullptr) {
        Jim_FreeInterp(interpreter);
    }
}

void RocketSystem::initialise() {
    if (!rocketInitialised) {
        Rocket::Core::Initialise();
        Rocket::Controls::Initialise();
        Rocket::Core::FontDatabase::Initialise();
        rocketInitialised = true;
    }
    createContext();
    if (interpreter != nullptr) {
        Jim_RegisterCoreCommands(interpreter);
        Jim_packageInit(interpreter);
        Jim_arrayInit(interpreter);
        Jim_namespaceInit(interpreter);
        Jim_packInit(interpreter);
        Jim_regexpInit(interpreter);
        registerRocketTclCommands(interpreter, this);
        sandbox.install(interpreter);
    }
    setVariableValue("PLATFORM", "PLAYBOOK");
    setVariableValue("BUILD_CONFIG", "FINAL");
    setVariableValue("DELTA_TIME", "0.0");
    setVariableValue("LOADED_DOCUMENTS", "");
}

void RocketSystem::createContext() {
    if (context != nullptr) {
        return;
    }
    const boost::shared_ptr<RenderTarget> target = currentTarget();
    const Rocket::Core::Vector2i size =
        target ? Rocket::Core::Vector2i(static_cast<int>(target->getCurrentRenderWidth()),
                                        static_cast<int>(target->getCurrentRenderHeight()))
               : Rocket::Core::Vector2i(0, 0);
    context = Rocket::Core::CreateContext("default", size);
    EventInstancer* instancer = new (0, ZequinAllocation) EventInstancer();
    if (instancer != nullptr) {
        Rocket::Core::Factory::RegisterEventListenerInstancer(instancer);
        instancer->RemoveReference();
    }
}

void RocketSystem::shutdown() {
    closeCurrentDocuments();
    eventElement.reset();
    if (context != nullptr) {
        context->UnloadAllDocuments();
        context->RemoveReference();
        context = nullptr;
    }
    Rocket::Core::FontDatabase::Shutdown();
    Rocket::Core::ReleaseTextures();
    Rocket::Core::ReleaseCompiledGeometries();
    Rocket::Core::Shutdown();
    rocketInitialised = false;
    elementCache.clear();
}

void RocketSystem::setVariableValue(const ZqString& name, const ZqString& text) {
    if (interpreter == nullptr) {
        return;
    }
    storeVariable(name, Jim_NewStringObj(interpreter, text.c_str(), static_cast<int>(text.size())));
}

void RocketSystem::setVariableValue(const ZqString& name, const Array<int>& values) {
    setListVariable(name, values.empty() ? nullptr : listOf(interpreter, values));
}

void RocketSystem::setVariableValue(const ZqString& name, const Array<ZqString>& values) {
    setListVariable(name, values.empty() ? nullptr : listOf(interpreter, values));
}

void RocketSystem::setListVariable(const ZqString& name, Jim_Obj* list) {
    if (list == nullptr) {
        setVariableValue(name, ZqString());
    } else {
        storeVariable(name, list);
    }
}

ZqString RocketSystem::getVariableValue(const ZqString& name) const {
    if (interpreter == nullptr) {
        return ZqString();
    }
    Jim_Obj* value = Jim_GetGlobalVariableStr(interpreter, name.c_str(), JIM_NONE);
    if (value == nullptr) {
        return ZqString();
    }
    int length = 0;
    const char* text = Jim_GetString(value, &length);
    return ZqString(text, static_cast<std::size_t>(length));
}

void RocketSystem::storeVariable(const ZqString& name, Jim_Obj* value) {
    // Held across the call: a value the variable does not take is freed here, not leaked.
    Jim_IncrRefCount(value);
    if (Jim_SetGlobalVariableStr(interpreter, name.c_str(), value) != JIM_OK) {
        logRocketTclError({Jim_String(Jim_GetResult(interpreter))});
    }
    Jim_DecrRefCount(interpreter, value);
}

void RocketSystem::update(double deltaSeconds) {
    // Every script of the update shares one budget.
    sandbox.beginUpdate();
    ShaderManager* shaders = ShaderManager::instance_;
    if (shaders != nullptr && !shaderBuildFailed && !shaders->getShaderProgram(ROCKET_SHADER)) {
        loadShader();
    }
    // Each entry leaves the list before its event: a postload script may load or close
    // documents, which changes the list.
    while (!postLoadDocuments.empty()) {
        Rocket::Core::ElementDocument* document = *postLoadDocuments.begin();
        postLoadDocuments.remove(postLoadDocuments.begin());
        const ElementReference hold(document);
        document->DispatchEvent("postload", Rocket::Core::Dictionary(), false);
    }
    setVariableValue("DELTA_TIME", floatToString(static_cast<float>(deltaSeconds), 6));
    updateTimedElements(deltaSeconds);
    if (context != nullptr) {
        context->Update();
    }
    sandbox.endUpdate();
}

void RocketSystem::render(const ZqString& layerName) {
    const boost::shared_ptr<RenderTarget> target = currentTarget();
    if (target) {
        target->enableScissoring();
    }
    if (context != nullptr) {
        context->Render(toRocketString(layerName));
    }
    if (target) {
        target->disableScissoring();
    }
}

void RocketSystem::setFloatVariable(const char* name, unsigned value) {
    setVariableValue(name, unsignedIntToString(value, 0) + ".0");
}

void RocketSystem::setResolution(unsigned width, unsigned height) {
    if (context != nullptr) {
        context->SetDimensions(
            Rocket::Core::Vector2i(static_cast<int>(width), static_cast<int>(height)));
    }
    setFloatVariable("WINDOW_WIDTH", width);
    setFloatVariable("WINDOW_HEIGHT", height);
    windowWidth = static_cast<float>(width);
    windowHeight = static_cast<float>(height);
}

void RocketSystem::scaleItems(Rocket::Core::ElementDocument* document) {
    if (document == nullptr || context == nullptr || !document->HasAttribute("reference_width")) {
        return;
    }
    const float referenceWidth = document->GetAttribute<float>("reference_width", 0.0f);
    const float referenceHeight = document->GetAttribute<float>("reference_height", 0.0f);
    if (!(referenceWidth > 0.0f) || !(referenceHeight > 0.0f) ||
        document->GetProperty("font-size") == nullptr) {
        return;
    }
    const Rocket::Core::Vector2i& size = context->GetDimensions();
    const float scale = std::min(static_cast<float>(size.x) / referenceWidth,
                                 static_cast<float>(size.y) / referenceHeight);
    const float fontSize = document->GetProperty<float>("font-size");
    document->SetProperty("font-size", toRocketString(floatToString(fontSize * scale, 0)));
}

void RocketSystem::focusOnNext() {
    if (context != nullptr) {
        context->ProcessKeyDown(Rocket::Core::Input::KI_TAB, 0);
        context->ProcessKeyUp(Rocket::Core::Input::KI_TAB, 0);
    }
}

void RocketSystem::focusOnPrevious() {
    if (context != nullptr) {
        context->ProcessKeyDown(Rocket::Core::Input::KI_TAB, Rocket::Core::Input::KM_SHIFT);
        context->ProcessKeyUp(Rocket::Core::Input::KI_TAB, Rocket::Core::Input::KM_SHIFT);
    }
}

void RocketSystem::focusOnNone() {
    Rocket::Core::ElementDocument* document = getDefaultDocument();
    if (context != nullptr && document != nullptr) {
        document->Focus();
    }
}

void RocketSystem::focusOff() {
    Rocket::Core::Element* focus = context != nullptr ? context->GetFocusElement() : nullptr;
    if (focus != nullptr) {
        focus->Blur();
    }
}

void RocketSystem::selectFocusedElement() {
    if (context == nullptr) {
        return;
    }
    context->ProcessKeyDown(Rocket::Core::Input::KI_RETURN, 0);
    context->ProcessKeyUp(Rocket::Core::Input::KI_RETURN, 0);
    const ElementReference focus(context->GetFocusElement());
    if (focus) {
        focus->DispatchEvent("mousedown", Rocket::Core::Dictionary(), false);
    }
    focusOnNone();
}

void RocketSystem::setMousePosition(unsigned x, unsigned y) {
    if (context == nullptr) {
        return;
    }
    context->ProcessMouseMove(static_cast<int>(x), static_cast<int>(y), 0);
    setFloatVariable("MOUSE_X", x);
    setFloatVariable("MOUSE_Y", y);
    // Before a resolution is known there is nothing to take a share of.
    const auto percent = [](unsigned value, float whole) {
        return whole > 0.0f ? floatToString(static_cast<float>(value) / whole * 100.0f, 0)
                            : ZqString("0.0");
    };
    setVariableValue("MOUSE_X_PERCENT", percent(x, windowWidth));
    setVariableValue("MOUSE_Y_PERCENT", percent(y, windowHeight));
}

void RocketSystem::setMouseButtonDown(MouseButton button) {
    if (context != nullptr) {
        context->ProcessMouseButtonDown(button, 0);
    }
}

void RocketSystem::setMouseButtonUp(MouseButton button) {
    if (context != nullptr) {
        context->ProcessMouseButtonUp(button, 0);
    }
}

void RocketSystem::releaseTextures() { Rocket::Core::ReleaseTextures(); }

void RocketSystem::releaseCompiledGeometries() { Rocket::Core::ReleaseCompiledGeometries(); }

void RocketSystem::reinitialiseFonts() {
    Rocket::Core::FontDatabase::Shutdown();
    Rocket::Core::FontDatabase::Initialise();
}

void RocketSystem::loadShader() {
    ShaderCache* cache = ShaderCache::instance_;
    if (!matrixUpdater) {
        matrixUpdater.reset(new (0, ZequinAllocation) RocketMatrixParameterUpdater());
    }
    // Held only here: no live cache has it yet.
    if (cache != nullptr && matrixUpdater && matrixUpdater.use_count() == 1) {
        cache->addUpdater(matrixUpdater);
    }
    ShaderManager* shaders = ShaderManager::instance_;
    if (shaders == nullptr) {
        return;
    }
    char* vertex = generateVertexShader();
    char* fragment = generateFragmentShader();
    shaderBuildFailed =
        !shaders->addShaderProgram(ROCKET_SHADER, reinterpret_cast<const unsigned char*>(vertex),
                                   reinterpret_cast<const unsigned char*>(fragment), "VP", "FP");
    delete[] vertex;
    delete[] fragment;
}

}  // namespace orvo
