#include <Rocket/Core.h>

#include "core/file/FileUtils.h"
#include "core/text/StringFunctions.h"
#include "graphics/GraphicsSystem.h"
#include "ui/RmlEscape.h"
#include "ui/RocketLog.h"
#include "ui/RocketStrings.h"
#include "ui/RocketSystem.h"

namespace orvo {

namespace {

const char* const LOADED_DOCUMENTS = "LOADED_DOCUMENTS";
const char* const MEMORY_URL = "[document from memory]";

// base with its last directory taken off: cut after the last '/' before its final character.
void leaveDirectory(ZqString& base) {
    if (base.size() < 2) {
        base.clear();
        return;
    }
    const std::size_t slash = base.find_last_of('/', base.size() - 2);
    base = slash == ZqString::npos ? ZqString() : base.substr(0, slash + 1);
}

// path walked from base by its segments: "./" is dropped, "../" leaves a directory of base (with
// base empty, of the executable's folder), any other segment is appended. base ends as the
// directory of the result. Every path the file access gets is under the root folder, so a result
// without "." or ".." segments cannot leave it.
bool resolve(const ZqString& path, ZqString& base, ZqString& full) {
    ZqString relative = path;
    searchAndReplace(&relative, '\\', '/');
    std::size_t start = 0;
    for (std::size_t slash = relative.find('/'); slash != ZqString::npos;
         slash = relative.find('/', start)) {
        const ZqString segment = relative.substr(start, slash + 1 - start);
        if (segment == "../") {
            if (base.empty()) {
                base = FileUtils::getExecutablePath();
            }
            leaveDirectory(base);
        } else if (segment != "./") {
            base += segment;
        }
        start = slash + 1;
    }
    const ZqString name = relative.substr(start);
    if (name == "." || name == "..") {
        return false;
    }
    full = base + name;
    return true;
}

ZqString memoryAddressText(const char* text) {
    return " document loaded from memory address " +
           unsignedIntToHexString(static_cast<unsigned>(reinterpret_cast<uintptr_t>(text)));
}

}  // namespace

bool RocketSystem::loadDocument(const ZqString& path, bool fromRoot) {
    const GraphicsSystem* graphics = GraphicsSystem::instance_;
    const boost::shared_ptr<RenderTarget> target = graphics != nullptr
                                                       ? graphics->getCurrentRenderTarget()
                                                       : boost::shared_ptr<RenderTarget>();
    if (target) {
        setResolution(target->getCurrentRenderWidth(), target->getCurrentRenderHeight());
    }
    ZqString base = fromRoot ? ZqString() : currentDirectory;
    ZqString full;
    if (!resolve(path, base, full)) {
        return false;
    }

    const ZqString before = getVariableValue(LOADED_DOCUMENTS);
    setVariableValue(LOADED_DOCUMENTS, full);
    Rocket::Core::ElementDocument* document =
        context != nullptr ? context->LoadDocument(toRocketString(full)) : nullptr;
    if (document == nullptr) {
        setVariableValue(LOADED_DOCUMENTS, before);
        return false;
    }
    rootDocument = full;
    currentDirectory = base;
    postLoadDocuments.clear();
    // An unload script of the old documents may have replaced this one already.
    if (replaceDocuments(document)) {
        prepareDocument(document);
        showFocused(document);
    }
    return true;
}

bool RocketSystem::addDocument(const ZqString& path, bool show) {
    const ZqString before = getVariableValue(LOADED_DOCUMENTS);
    setVariableValue(LOADED_DOCUMENTS, before + " " + path);
    // From the root first, then from the current directory, resolved as loadDocument does.
    Rocket::Core::ElementDocument* document = nullptr;
    for (const ZqString& start : {ZqString(), currentDirectory}) {
        ZqString base = start;
        ZqString full;
        if (document == nullptr && context != nullptr && resolve(path, base, full)) {
            document = context->LoadDocument(toRocketString(full));
        }
    }
    if (document == nullptr) {
        setVariableValue(LOADED_DOCUMENTS, before);
        return false;
    }
    prepareDocument(document);
    appendDocument(document, show);
    return true;
}

bool RocketSystem::addDocument(const char* text, unsigned size, const ZqString& title, bool show) {
    Rocket::Core::ElementDocument* document = loadFromMemory(text, size, title);
    if (document == nullptr) {
        return false;
    }
    scaleItems(document);
    appendDocument(document, show);
    return true;
}

bool RocketSystem::loadDocument(const char* text, unsigned size, const ZqString& title) {
    Rocket::Core::ElementDocument* document =
        size != 0 ? loadFromMemory(text, size, title) : nullptr;
    if (document == nullptr) {
        return false;
    }
    if (replaceDocuments(document)) {
        scaleItems(document);
        showFocused(document);
    }
    return true;
}

Rocket::Core::ElementDocument* RocketSystem::loadFromMemory(const char* text, unsigned size,
                                                            const ZqString& title) {
    if (text == nullptr || text[size] != '\0' || title.empty()) {
        return nullptr;
    }
    const ZqString before = getVariableValue(LOADED_DOCUMENTS);
    setVariableValue(LOADED_DOCUMENTS, before + memoryAddressText(text));
    Rocket::Core::ElementDocument* document =
        context != nullptr ? context->LoadDocumentFromMemory(Rocket::Core::String(text, size))
                           : nullptr;
    if (document == nullptr) {
        setVariableValue(LOADED_DOCUMENTS, before);
        return nullptr;
    }
    document->SetTitle(toRocketString(title));
    return document;
}

bool RocketSystem::replaceDocuments(Rocket::Core::ElementDocument* document) {
    Array<Rocket::Core::ElementDocument*> replaced = currentDocuments;
    currentDocuments.clear();
    currentDocuments.pushBack(document);
    postLoadDocuments.pushBack(document);
    closeDocuments(replaced);
    if (!isCurrent(document)) {
        return false;
    }
    elementCache.clear();
    return true;
}

void RocketSystem::appendDocument(Rocket::Core::ElementDocument* document, bool show) {
    currentDocuments.pushBack(document);
    postLoadDocuments.pushBack(document);
    if (show) {
        showFocused(document);
    }
}

void RocketSystem::reloadCurrentDocuments() {
    if (currentDocuments.empty()) {
        return;
    }
    setVariableValue(LOADED_DOCUMENTS, "");
    postLoadDocuments.clear();
    const Array<Rocket::Core::ElementDocument*> reloading = currentDocuments;
    currentDocuments.clear();
    for (Rocket::Core::ElementDocument* document : reloading) {
        const Rocket::Core::String url = document->GetSourceURL();
        const Rocket::Core::String title = document->GetTitle();
        const bool visible = document->IsVisible();
        Array<Rocket::Core::ElementDocument*> one;
        one.pushBack(document);
        closeDocuments(one);
        // Its text was the caller's and is not kept.
        if (url == MEMORY_URL) {
            logRocketTclError({"Document \"", title.c_str(),
                               "\" was loaded from memory and cannot be reloaded; it is closed."});
            continue;
        }
        // A document that no longer loads leaves the list instead of a null slot.
        Rocket::Core::ElementDocument* again =
            context != nullptr ? context->LoadDocument(url) : nullptr;
        if (again == nullptr) {
            continue;
        }
        currentDocuments.pushBack(again);
        postLoadDocuments.pushBack(again);
        setVariableValue(LOADED_DOCUMENTS,
                         getVariableValue(LOADED_DOCUMENTS) + " " + toZqString(url));
        prepareDocument(again);
        if (visible) {
            again->Show(Rocket::Core::ElementDocument::FOCUS);
        }
    }
    Rocket::Core::ReleaseTextures();
    Rocket::Core::ReleaseCompiledGeometries();
    Rocket::Core::Factory::ClearStyleSheetCache();
    elementCache.clear();
}

void RocketSystem::closeCurrentDocuments() {
    rootDocument.clear();
    currentDirectory.clear();
    Array<Rocket::Core::ElementDocument*> closing = currentDocuments;
    currentDocuments.clear();
    postLoadDocuments.clear();
    closeDocuments(closing);
    setVariableValue(LOADED_DOCUMENTS, "");
    elementCache.clear();
}

void RocketSystem::closeDocuments(Array<Rocket::Core::ElementDocument*>& documents) {
    for (Rocket::Core::ElementDocument* document : documents) {
        for (auto it = postLoadDocuments.begin(); it != postLoadDocuments.end();) {
            it = *it == document ? postLoadDocuments.remove(it) : ++it;
        }
        document->Close();
        if (context != nullptr) {
            context->UnloadDocument(document);
        }
        // After the unload: its scripts may still have started timers.
        removeDocumentTimers(document);
        // The reference the load gave us; the context dropped its own.
        document->RemoveReference();
    }
    documents.clear();
}

bool RocketSystem::isCurrent(const Rocket::Core::ElementDocument* document) const {
    for (const Rocket::Core::ElementDocument* current : currentDocuments) {
        if (current == document) {
            return true;
        }
    }
    return false;
}

void RocketSystem::prepareDocument(Rocket::Core::ElementDocument* document) {
    Rocket::Core::Element* title = document->GetElementById("title");
    if (title != nullptr) {
        title->SetInnerRML(toRocketString(escapeRml(toZqString(document->GetTitle()))));
    }
    scaleItems(document);
}

void RocketSystem::showFocused(Rocket::Core::ElementDocument* document) {
    document->Focus();
    document->Show(Rocket::Core::ElementDocument::FOCUS);
}

Rocket::Core::ElementDocument* RocketSystem::findDocument(const ZqString& name) const {
    const Rocket::Core::String key = toRocketString(name);
    for (Rocket::Core::ElementDocument* document : currentDocuments) {
        const Rocket::Core::String& url = document->GetSourceURL();
        if ((url == MEMORY_URL ? document->GetTitle() : url) == key) {
            return document;
        }
    }
    return nullptr;
}

Rocket::Core::ElementDocument* RocketSystem::getDocument(const ZqString& url) const {
    const Rocket::Core::String key = toRocketString(url);
    for (Rocket::Core::ElementDocument* document : currentDocuments) {
        if (document->GetSourceURL() == key) {
            return document;
        }
    }
    return nullptr;
}

Rocket::Core::ElementDocument* RocketSystem::getDefaultDocument() const {
    return currentDocuments.empty() ? nullptr : currentDocuments[0];
}

bool RocketSystem::showDocument(const ZqString& name) {
    Rocket::Core::ElementDocument* document = findDocument(name);
    if (document == nullptr) {
        return false;
    }
    showFocused(document);
    return true;
}

bool RocketSystem::hideDocument(const ZqString& name) {
    Rocket::Core::ElementDocument* document = findDocument(name);
    if (document == nullptr) {
        return false;
    }
    document->Blur();
    document->Hide();
    return true;
}

bool RocketSystem::loadFont(const ZqString& path, const ZqString& family) {
    const Rocket::Core::String here = toRocketString(currentDirectory + path);
    const Rocket::Core::String bare = toRocketString(path);
    if (family.empty()) {
        return Rocket::Core::FontDatabase::LoadFontFace(here) ||
               Rocket::Core::FontDatabase::LoadFontFace(bare);
    }
    const Rocket::Core::String name = toRocketString(family);
    return Rocket::Core::FontDatabase::LoadFontFace(here, name, Rocket::Core::Font::STYLE_NORMAL,
                                                    Rocket::Core::Font::WEIGHT_NORMAL) ||
           Rocket::Core::FontDatabase::LoadFontFace(bare, name, Rocket::Core::Font::STYLE_NORMAL,
                                                    Rocket::Core::Font::WEIGHT_NORMAL);
}

bool RocketSystem::loadCursorDocument(const ZqString& path) {
    createContext();
    if (context == nullptr) {
        return true;
    }
    Rocket::Core::ElementDocument* cursor =
        context->LoadMouseCursor(toRocketString(currentDirectory + path));
    if (cursor != nullptr) {
        postLoadDocuments.pushBack(cursor);
        cursor->RemoveReference();
    }
    return true;
}

}  // namespace orvo
