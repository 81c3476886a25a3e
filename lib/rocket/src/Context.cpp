#include <Rocket/Core/Context.h>

#include "ContextRegistry.h"
#include "DocumentParser.h"
#include "FileLoader.h"
#include "ReleaseQueue.h"

#include <Rocket/Core/ElementDocument.h>
#include <Rocket/Core/Log.h>

#include <algorithm>

namespace Rocket {
namespace Core {

namespace {

bool IsWithin(Element* element, Element* ancestor) {
    for (; element != nullptr; element = element->GetParentNode())
        if (element == ancestor) return true;
    return false;
}

// Holds a reference for a scope: events may take elements out of their tree.
class Hold {
public:
    explicit Hold(Element* element_) : element(element_) {
        if (element != nullptr) element->AddReference();
    }
    ~Hold() {
        if (element != nullptr) element->RemoveReference();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    Element* element;
};

// Reads and parses an RML file; what names the kind in the error when it cannot be read.
ElementDocument* ParseDocumentFile(const String& path, const char* what) {
    String rml;
    if (!FileLoader::Load(path, rml)) {
        Log::Message(Log::LT_ERROR, "Failed to load %s %s, could not open file.", what,
                     path.c_str());
        return nullptr;
    }
    return DocumentParser::ParseDocument(rml, path);
}

void DispatchLoad(ElementDocument* document) {
    Hold hold(document);
    document->DispatchEvent("load", Dictionary(), false);
}

}  // namespace

Context::Context(const String& name_, const Vector2i& dimensions_,
                 RenderInterface* render_interface_)
    : name(name_),
      dimensions(dimensions_),
      render_interface(render_interface_),
      root(new Element("#root")),
      cursor_root(new Element("#cursor")) {
    root->context = this;
    cursor_root->context = this;
    focus = root;
}

Context::~Context() {
    UnloadAllDocuments();
    while (cursor_root->HasChildNodes()) cursor_root->RemoveChild(cursor_root->GetLastChild());
    cursor = nullptr;
    focus = nullptr;
    hover = nullptr;
    active = nullptr;
    ReleaseQueue::Flush();
    root->context = nullptr;
    cursor_root->context = nullptr;
    root->RemoveReference();
    cursor_root->RemoveReference();
    ContextRegistry::Remove(this);
}

void Context::OnReferenceDeactivate() { delete this; }

void Context::SetDimensions(const Vector2i& dimensions_) {
    if (dimensions == dimensions_) return;
    dimensions = dimensions_;
    ElementList documents(root->children);
    for (Element* document : documents) document->AddReference();
    for (Element* document : documents) {
        static_cast<ElementDocument*>(document)->DirtyDocumentLayout();
        document->DispatchEvent("resize", Dictionary(), false);
    }
    for (Element* document : documents) document->RemoveReference();
}

bool Context::Update() {
    ReleaseQueue::Flush();
    for (Element* document : root->children)
        static_cast<ElementDocument*>(document)->UpdateDocument();
    for (Element* document : cursor_root->children)
        static_cast<ElementDocument*>(document)->UpdateDocument();
    return true;
}

bool Context::Render(String layer) {
    for (Element* document : root->children)
        static_cast<ElementDocument*>(document)->UpdateDocument();
    // Documents are shown, hidden and reordered outside any layout: stack them here.
    root->BuildLocalStackingContext();
    root->Render(layer);
    if (cursor != nullptr && show_cursor) {
        cursor->UpdateDocument();
        cursor->relative_offset_base =
            Vector2f(static_cast<float>(mouse_position.x), static_cast<float>(mouse_position.y));
        cursor_root->BuildLocalStackingContext();
        cursor_root->Render("all");
    }
    return true;
}

ElementDocument* Context::AddDocument(ElementDocument* document) {
    root->AppendChild(document);
    DispatchLoad(document);
    document->UpdateDocument();
    return document;
}

ElementDocument* Context::CreateDocument(const String& tag) {
    return AddDocument(new ElementDocument(tag));
}

ElementDocument* Context::LoadDocument(const String& document_path) {
    ElementDocument* document = ParseDocumentFile(document_path, "document");
    return document != nullptr ? AddDocument(document) : nullptr;
}

ElementDocument* Context::LoadDocumentFromMemory(const String& string) {
    ElementDocument* document = DocumentParser::ParseDocument(string, "[document from memory]");
    return document != nullptr ? AddDocument(document) : nullptr;
}

void Context::UnloadDocument(ElementDocument* document) {
    if (document == nullptr || document->unloading) return;
    bool in_context = document->GetParentNode() == root;
    bool is_cursor = document->GetParentNode() == cursor_root;
    if (!in_context && !is_cursor) return;
    // A listener of "unload" that unloads again finds the flag set.
    document->unloading = true;
    {
        Hold hold(document);
        document->DispatchEvent("unload", Dictionary(), false);
        if (document->GetParentNode() != nullptr) document->GetParentNode()->RemoveChild(document);
        if (cursor == document) cursor = nullptr;
    }
}

void Context::UnloadAllDocuments() {
    ElementList documents(root->children);
    for (Element* document : documents) document->AddReference();
    for (Element* document : documents) UnloadDocument(static_cast<ElementDocument*>(document));
    for (Element* document : documents) document->RemoveReference();
}

ElementDocument* Context::LoadMouseCursor(const String& cursor_document_path) {
    ElementDocument* document = ParseDocumentFile(cursor_document_path, "cursor");
    if (document == nullptr) return nullptr;
    cursor_root->AppendChild(document);
    document->SetProperty("visibility", "visible");
    if (cursor == nullptr) cursor = document;
    DispatchLoad(document);
    return document;
}

ElementDocument* Context::GetDocument(const String& id) {
    for (Element* document : root->children)
        if (document->GetId() == id) return static_cast<ElementDocument*>(document);
    return nullptr;
}

ElementDocument* Context::GetDocument(int index) {
    return static_cast<ElementDocument*>(root->GetChild(index));
}

int Context::GetNumDocuments() const { return root->GetNumChildren(); }

void Context::PullDocumentToFront(ElementDocument* document) {
    auto position = std::find(root->children.begin(), root->children.end(), document);
    if (position != root->children.end()) std::rotate(position, position + 1, root->children.end());
}

void Context::PushDocumentToBack(ElementDocument* document) {
    auto position = std::find(root->children.begin(), root->children.end(), document);
    if (position != root->children.end())
        std::rotate(root->children.begin(), position, position + 1);
}

bool Context::OnFocusChange(Element* new_focus) {
    if (new_focus == nullptr || new_focus == focus) return true;
    Element* old_focus = focus;
    Hold hold_old(old_focus);
    Hold hold_new(new_focus);
    // Set before the events, so that a listener moving the focus again wins.
    focus = new_focus;
    if (old_focus != nullptr) {
        old_focus->SetPseudoClass("focus", false);
        old_focus->DispatchEvent("blur", Dictionary(), false);
    }
    if (focus == new_focus) {
        new_focus->SetPseudoClass("focus", true);
        new_focus->DispatchEvent("focus", Dictionary(), false);
    }
    return true;
}

void Context::SetChainPseudoClass(Element* element, const String& pseudo_class, bool activate) {
    for (; element != nullptr; element = element->GetParentNode())
        element->SetPseudoClass(pseudo_class, activate);
}

void Context::OnElementDetach(Element* element) {
    // Nothing may point into a subtree that is leaving the context.
    if (IsWithin(focus, element)) focus = root;
    if (IsWithin(hover, element)) {
        SetChainPseudoClass(hover, "hover", false);
        hover = nullptr;
    }
    if (IsWithin(active, element)) {
        SetChainPseudoClass(active, "active", false);
        active = nullptr;
    }
    if (cursor != nullptr && IsWithin(cursor, element)) cursor = nullptr;
}

Dictionary Context::MouseParameters(int key_modifier_state) const {
    Dictionary parameters;
    parameters.Set("mouse_x", mouse_position.x);
    parameters.Set("mouse_y", mouse_position.y);
    parameters.Set("ctrl_key", (key_modifier_state & Input::KM_CTRL) ? 1 : 0);
    parameters.Set("shift_key", (key_modifier_state & Input::KM_SHIFT) ? 1 : 0);
    parameters.Set("alt_key", (key_modifier_state & Input::KM_ALT) ? 1 : 0);
    parameters.Set("meta_key", (key_modifier_state & Input::KM_META) ? 1 : 0);
    return parameters;
}

void Context::UpdateHoverChain(const Dictionary& parameters) {
    for (Element* document : root->children)
        static_cast<ElementDocument*>(document)->UpdateDocument();
    root->BuildLocalStackingContext();
    Element* new_hover = root->GetElementAtPoint(
        Vector2f(static_cast<float>(mouse_position.x), static_cast<float>(mouse_position.y)));
    if (new_hover == hover) return;
    Element* old_hover = hover;
    Hold hold_old(old_hover);
    Hold hold_new(new_hover);
    SetChainPseudoClass(old_hover, "hover", false);
    SetChainPseudoClass(new_hover, "hover", true);
    hover = new_hover;
    if (old_hover != nullptr && old_hover->GetContext() == this)
        old_hover->DispatchEvent("mouseout", parameters, true);
    if (new_hover != nullptr && hover == new_hover)
        new_hover->DispatchEvent("mouseover", parameters, true);
}

void Context::ProcessMouseMove(int x, int y, int key_modifier_state) {
    mouse_position = Vector2i(x, y);
    Dictionary parameters = MouseParameters(key_modifier_state);
    UpdateHoverChain(parameters);
    if (hover != nullptr) hover->DispatchEvent("mousemove", parameters, true);
}

void Context::ProcessMouseButtonDown(int button_index, int key_modifier_state) {
    Dictionary parameters = MouseParameters(key_modifier_state);
    parameters.Set("button", button_index);
    UpdateHoverChain(parameters);
    Element* target = hover;
    Hold hold(target);
    if (button_index == 0) {
        // The nearest element that takes the focus gets it.
        bool focused = false;
        for (Element* candidate = target; candidate != nullptr && !focused;
             candidate = candidate->GetParentNode())
            focused = candidate->Focus();
        if (active != nullptr) SetChainPseudoClass(active, "active", false);
        active = target;
        SetChainPseudoClass(active, "active", true);
    }
    if (target != nullptr && target->GetContext() == this)
        target->DispatchEvent("mousedown", parameters, true);
}

void Context::ProcessMouseButtonUp(int button_index, int key_modifier_state) {
    Dictionary parameters = MouseParameters(key_modifier_state);
    parameters.Set("button", button_index);
    UpdateHoverChain(parameters);
    Element* target = hover;
    Hold hold(target);
    if (target != nullptr) target->DispatchEvent("mouseup", parameters, true);
    if (button_index != 0) return;
    Element* pressed = active;
    Hold hold_pressed(pressed);
    if (active != nullptr) SetChainPseudoClass(active, "active", false);
    active = nullptr;
    if (target != nullptr && target == pressed && target->GetContext() == this)
        target->DispatchEvent("click", parameters, true);
}

bool Context::SendKeyEvent(const String& type, Input::KeyIdentifier key_identifier,
                           int key_modifier_state) {
    Dictionary parameters;
    parameters.Set("key_identifier", static_cast<int>(key_identifier));
    parameters.Set("ctrl_key", (key_modifier_state & Input::KM_CTRL) ? 1 : 0);
    parameters.Set("shift_key", (key_modifier_state & Input::KM_SHIFT) ? 1 : 0);
    parameters.Set("alt_key", (key_modifier_state & Input::KM_ALT) ? 1 : 0);
    parameters.Set("meta_key", (key_modifier_state & Input::KM_META) ? 1 : 0);
    Element* target = focus != nullptr ? focus : root;
    Hold hold(target);
    return target->DispatchEvent(type, parameters, true);
}

bool Context::ProcessKeyDown(Input::KeyIdentifier key_identifier, int key_modifier_state) {
    bool propagated = SendKeyEvent("keydown", key_identifier, key_modifier_state);
    if (propagated && key_identifier == Input::KI_TAB && focus != nullptr) {
        if (ElementDocument* document = focus->GetOwnerDocument()) {
            bool forward = (key_modifier_state & Input::KM_SHIFT) == 0;
            if (Element* next = document->FindNextTabElement(focus, forward)) next->Focus();
        }
    }
    return propagated;
}

bool Context::ProcessKeyUp(Input::KeyIdentifier key_identifier, int key_modifier_state) {
    return SendKeyEvent("keyup", key_identifier, key_modifier_state);
}

}  // namespace Core
}  // namespace Rocket
