#pragma once

#include <Rocket/Core/Dictionary.h>
#include <Rocket/Core/Input.h>
#include <Rocket/Core/ReferenceCountable.h>

namespace Rocket {
namespace Core {

class Element;
class ElementDocument;
class RenderInterface;

// A set of documents drawn into one area, with its own focus and pointer state.
class Context : public ReferenceCountable {
public:
    Context(const String& name, const Vector2i& dimensions, RenderInterface* render_interface);
    ~Context() override;

    const String& GetName() const { return name; }
    // Sends "resize" to every document when the dimensions change.
    void SetDimensions(const Vector2i& dimensions_);
    const Vector2i& GetDimensions() const { return dimensions; }

    // Destroys what was unloaded or removed, then restyles and lays out what changed.
    bool Update();
    // Draws the documents for a layer (see Element::Render); the cursor always with "all".
    bool Render(String layer);

    // Documents come with one reference owned by the caller.
    ElementDocument* CreateDocument(const String& tag = "body");
    ElementDocument* LoadDocument(const String& document_path);
    ElementDocument* LoadDocumentFromMemory(const String& string);
    // Sends "unload" and takes the document out; safe to call again for the same document.
    void UnloadDocument(ElementDocument* document);
    void UnloadAllDocuments();
    ElementDocument* LoadMouseCursor(const String& cursor_document_path);
    void ShowMouseCursor(bool show) { show_cursor = show; }

    // By the id of the document's body element, or by position in drawing order.
    ElementDocument* GetDocument(const String& id);
    ElementDocument* GetDocument(int index);
    int GetNumDocuments() const;
    void PullDocumentToFront(ElementDocument* document);
    void PushDocumentToBack(ElementDocument* document);

    Element* GetHoverElement() const { return hover; }
    // The root element when nothing else has the focus.
    Element* GetFocusElement() const { return focus; }
    Element* GetRootElement() const { return root; }
    RenderInterface* GetRenderInterface() const { return render_interface; }

    // Key events go to the focused element; Tab moves the focus between "tab-index: auto" elements.
    bool ProcessKeyDown(Input::KeyIdentifier key_identifier, int key_modifier_state);
    bool ProcessKeyUp(Input::KeyIdentifier key_identifier, int key_modifier_state);
    void ProcessMouseMove(int x, int y, int key_modifier_state);
    void ProcessMouseButtonDown(int button_index, int key_modifier_state);
    void ProcessMouseButtonUp(int button_index, int key_modifier_state);

protected:
    void OnReferenceDeactivate() override;

private:
    friend class Element;
    friend class ElementDocument;

    ElementDocument* AddDocument(ElementDocument* document);
    bool OnFocusChange(Element* new_focus);
    void OnElementDetach(Element* element);
    void UpdateHoverChain(const Dictionary& parameters);
    void SetChainPseudoClass(Element* element, const String& pseudo_class, bool activate);
    Dictionary MouseParameters(int key_modifier_state) const;
    bool SendKeyEvent(const String& type, Input::KeyIdentifier key_identifier,
                      int key_modifier_state);

    String name;
    Vector2i dimensions;
    RenderInterface* render_interface;
    Element* root;
    Element* cursor_root;
    ElementDocument* cursor = nullptr;
    bool show_cursor = true;

    Element* focus;
    Element* hover = nullptr;
    Element* active = nullptr;
    Vector2i mouse_position;
};

}  // namespace Core
}  // namespace Rocket
