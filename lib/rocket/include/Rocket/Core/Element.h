#pragma once

#include <Rocket/Core/Box.h>
#include <Rocket/Core/Dictionary.h>
#include <Rocket/Core/Geometry.h>
#include <Rocket/Core/Property.h>
#include <Rocket/Core/ReferenceCountable.h>

#include <map>
#include <memory>
#include <vector>

namespace Rocket {
namespace Core {

class Context;
class ElementDocument;
class ElementStyle;
class Event;
class EventListener;
class RenderInterface;
struct ComputedValues;

// A node of a document. Elements are reference counted: the parent holds one
// reference to each child; an element taken out of its tree is destroyed at the
// next Context::Update (or later, while somebody else still holds a reference).
class Element : public ReferenceCountable {
public:
    explicit Element(const String& tag);
    ~Element() override;

    const String& GetTagName() const { return tag; }
    const String& GetId() const { return id; }
    void SetId(const String& id_);

    // Tree.
    Element* GetParentNode() const { return parent; }
    Element* GetNextSibling() const;
    Element* GetPreviousSibling() const;
    Element* GetFirstChild() const;
    Element* GetLastChild() const;
    Element* GetChild(int index) const;
    int GetNumChildren() const { return static_cast<int>(children.size()); }
    bool HasChildNodes() const { return !children.empty(); }
    void AppendChild(Element* element);
    void InsertBefore(Element* element, Element* adjacent_element);
    bool ReplaceChild(Element* inserted_element, Element* replaced_element);
    bool RemoveChild(Element* element);
    // Searches this element and its descendants in document order.
    Element* GetElementById(const String& id_);
    void GetElementsByTagName(ElementList& elements, const String& tag_);
    ElementDocument* GetOwnerDocument();
    Context* GetContext();

    // Content as RML.
    virtual void GetInnerRML(String& content) const;
    String GetInnerRML() const;
    void SetInnerRML(const String& rml);

    // Attributes; "id", "class", "style" and "on..." attributes take effect at once.
    template <typename T>
    void SetAttribute(const String& name, const T& value) {
        SetAttributeValue(name, Variant(value));
    }
    Variant* GetAttribute(const String& name);
    template <typename T>
    T GetAttribute(const String& name, const T& default_value) const {
        return attributes.Get(name, default_value);
    }
    bool HasAttribute(const String& name) const { return attributes.Get(name) != nullptr; }
    void RemoveAttribute(const String& name);
    const Dictionary* GetAttributes() const { return &attributes; }
    int GetNumAttributes() const { return attributes.Size(); }

    // Classes and pseudo-classes (hover, active, focus).
    void SetClass(const String& class_name, bool activate);
    bool IsClassSet(const String& class_name) const;
    void SetClassNames(const String& class_names);
    String GetClassNames() const;
    void SetPseudoClass(const String& pseudo_class, bool activate);
    bool IsPseudoClassSet(const String& pseudo_class) const;

    // Style. Properties set here override the style sheet and the inline style.
    bool SetProperty(const String& name, const String& value);
    bool SetProperty(const String& name, const Property& property);
    void RemoveProperty(const String& name);
    // The value in force: set here, from the style sheet, inherited or the default.
    const Property* GetProperty(const String& name);
    template <typename T>
    T GetProperty(const String& name) {
        const Property* property = GetProperty(name);
        return property != nullptr ? property->Get<T>() : T();
    }
    const Property* GetLocalProperty(const String& name);
    // A length property in pixels, percentages taken of base_value.
    float ResolveProperty(const String& name, float base_value);

    // Layout results (the owning document is laid out first when it is out of date).
    Vector2f GetRelativeOffset(Box::Area area = Box::CONTENT);
    Vector2f GetAbsoluteOffset(Box::Area area = Box::CONTENT);
    float GetAbsoluteLeft() { return GetAbsoluteOffset(Box::BORDER).x; }
    float GetAbsoluteTop() { return GetAbsoluteOffset(Box::BORDER).y; }
    float GetOffsetLeft() { return GetRelativeOffset(Box::BORDER).x; }
    float GetOffsetTop() { return GetRelativeOffset(Box::BORDER).y; }
    float GetOffsetWidth() { return GetBox().GetSize(Box::BORDER).x; }
    float GetOffsetHeight() { return GetBox().GetSize(Box::BORDER).y; }
    float GetClientWidth() { return GetBox().GetSize(Box::PADDING).x; }
    float GetClientHeight() { return GetBox().GetSize(Box::PADDING).y; }
    // Offsets are relative to the parent node.
    Element* GetOffsetParent() const { return parent; }
    const Box& GetBox(int index = 0);
    int GetNumBoxes();
    void SetBox(const Box& box);
    void AddBox(const Box& box);
    virtual bool GetIntrinsicDimensions(Vector2f& dimensions);
    bool IsPointWithinElement(const Vector2f& point);
    // Visible and displayed.
    bool IsVisible();
    float GetZIndex();
    const ComputedValues& GetComputedValues();

    // Interaction.
    bool Focus();
    void Blur();
    void Click();
    void AddEventListener(const String& event, EventListener* listener,
                          bool in_capture_phase = false);
    void RemoveEventListener(const String& event, EventListener* listener,
                             bool in_capture_phase = false);
    // Returns false when a listener stopped the event.
    bool DispatchEvent(const String& event, const Dictionary& parameters,
                       bool interruptible = false);

    // Brings style and layout of this element's document up to date.
    void Update();
    // Draws this element and what stacks on it for the named layer: "all" draws
    // everything, "default" everything outside "layer" elements, another name
    // the "layer" elements of that (lower-case) name with their content.
    void Render(const String& layer);

protected:
    virtual void OnAttributeChange(const String& name);
    // Draws the element's own content after its background and borders.
    virtual void OnRender(RenderInterface* render_interface);
    // The layout gave the element new boxes.
    virtual void OnLayout();
    void OnReferenceDeactivate() override;
    void DirtyLayout();
    void DirtyStyle();

private:
    friend class Context;
    friend class ElementDocument;
    friend class ElementStyle;
    friend class EventDispatcher;
    friend class LayoutEngine;
    friend class LayoutInline;

    struct ListenerEntry {
        String event;
        EventListener* listener;
        bool capture;
    };

    void SetAttributeValue(const String& name, const Variant& value);
    // value null: the attribute is gone.
    void BindAttributeListener(const String& name, const String* value);
    void ApplyClassChange();
    bool HasListener(EventListener* listener) const;
    void CallListeners(Event& event, bool capture_phase, bool bubble_phase);
    void BuildLocalStackingContext();
    void BuildStackingContext(ElementList& context);
    void RenderOwn(RenderInterface* render_interface);
    void GenerateBackground();
    Element* GetElementAtPoint(const Vector2f& point);
    bool IsDisplayed();
    void EnsureLayout();

    String tag;
    String id;
    Dictionary attributes;
    StringList classes;
    StringList pseudo_classes;

    Element* parent = nullptr;
    ElementList children;
    // Set on a context's root elements only.
    Context* context = nullptr;

    std::unique_ptr<ElementStyle> style;
    std::vector<ListenerEntry> listeners;
    std::map<String, EventListener*> attribute_listeners;

    // Layout output: boxes, the parent-relative position of the first border box
    // and the shift of relative positioning.
    std::vector<Box> boxes;
    Vector2f relative_offset_base;
    Vector2f relative_offset_position;
    // Unshifted position of the first border box, in context pixels, during layout.
    Vector2f layout_position;
    bool laid_out = false;

    ElementList stacking_context;
    bool local_stacking_context = false;

    Geometry background;
    bool geometry_dirty = true;
};

}  // namespace Core
}  // namespace Rocket
