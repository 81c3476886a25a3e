#include <Rocket/Core/Element.h>

#include "ComputedValues.h"
#include "DocumentParser.h"
#include "ElementStyle.h"
#include "EventDispatcher.h"
#include "ReleaseQueue.h"
#include "StyleSheet.h"

#include <Rocket/Core/Context.h>
#include <Rocket/Core/ElementDocument.h>
#include <Rocket/Core/ElementText.h>
#include <Rocket/Core/Event.h>
#include <Rocket/Core/EventListener.h>
#include <Rocket/Core/Factory.h>
#include <Rocket/Core/Log.h>

#include <algorithm>

namespace Rocket {
namespace Core {

namespace {

StringList SplitClassNames(const String& text) {
    StringList names;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t begin = text.find_first_not_of(" \t\r\n", pos);
        if (begin == String::npos) break;
        size_t end = text.find_first_of(" \t\r\n", begin);
        String name = text.Substring(begin, end == String::npos ? String::npos : end - begin);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        pos = end == String::npos ? text.size() : end;
    }
    return names;
}

bool HoldsDocument(const Element* element) {
    for (int i = 0; i < element->GetNumChildren(); ++i) {
        Element* child = element->GetChild(i);
        if (dynamic_cast<ElementDocument*>(child) != nullptr || HoldsDocument(child)) return true;
    }
    return false;
}

// Hover and focus move all the time: restyling (and so laying out) the document for a
// pseudo-class no selector of its sheet names would change nothing.
bool PseudoClassMatters(Element* element, const String& pseudo_class) {
    ElementDocument* document = element->GetOwnerDocument();
    // Documents below the element have sheets of their own.
    if (document == nullptr || HoldsDocument(element)) return true;
    const std::shared_ptr<StyleSheet>& sheet = document->GetStyleSheet();
    return sheet && sheet->UsesPseudoClass(pseudo_class);
}

}  // namespace

Element::Element(const String& tag_) : tag(tag_), style(std::make_unique<ElementStyle>(this)) {}

Element::~Element() {
    for (ListenerEntry& entry : listeners) entry.listener->OnDetach(this);
    for (Element* child : children) {
        child->parent = nullptr;
        child->RemoveReference();
    }
}

void Element::OnReferenceDeactivate() { delete this; }

void Element::SetId(const String& id_) { SetAttribute("id", id_); }

Element* Element::GetNextSibling() const {
    if (parent == nullptr) return nullptr;
    auto self = std::find(parent->children.begin(), parent->children.end(), this);
    return (self == parent->children.end() || self + 1 == parent->children.end()) ? nullptr
                                                                                  : *(self + 1);
}

Element* Element::GetPreviousSibling() const {
    if (parent == nullptr) return nullptr;
    auto self = std::find(parent->children.begin(), parent->children.end(), this);
    return (self == parent->children.end() || self == parent->children.begin()) ? nullptr
                                                                                : *(self - 1);
}

Element* Element::GetFirstChild() const { return children.empty() ? nullptr : children.front(); }

Element* Element::GetLastChild() const { return children.empty() ? nullptr : children.back(); }

Element* Element::GetChild(int index) const {
    if (index < 0 || index >= static_cast<int>(children.size())) return nullptr;
    return children[static_cast<size_t>(index)];
}

void Element::AppendChild(Element* element) { InsertBefore(element, nullptr); }

void Element::InsertBefore(Element* element, Element* adjacent_element) {
    if (element == nullptr) return;
    // An element may not become its own descendant.
    for (Element* ancestor = this; ancestor != nullptr; ancestor = ancestor->parent)
        if (ancestor == element) return;
    element->AddReference();
    if (element->parent != nullptr) element->parent->RemoveChild(element);
    auto position = std::find(children.begin(), children.end(), adjacent_element);
    children.insert(position, element);
    element->parent = this;
    element->style->DirtyDefinition();
    DirtyLayout();
}

bool Element::ReplaceChild(Element* inserted_element, Element* replaced_element) {
    if (inserted_element == nullptr ||
        std::find(children.begin(), children.end(), replaced_element) == children.end())
        return false;
    InsertBefore(inserted_element, replaced_element);
    return RemoveChild(replaced_element);
}

bool Element::RemoveChild(Element* element) {
    auto position = std::find(children.begin(), children.end(), element);
    if (position == children.end()) return false;
    if (Context* owner = GetContext()) owner->OnElementDetach(element);
    children.erase(position);
    element->parent = nullptr;
    DirtyLayout();
    // The parent's reference: dropped at the next update, not under a running listener.
    ReleaseQueue::Add(element);
    return true;
}

Element* Element::GetElementById(const String& id_) {
    if (id == id_ && !id_.empty()) return this;
    for (Element* child : children)
        if (Element* found = child->GetElementById(id_)) return found;
    return nullptr;
}

void Element::GetElementsByTagName(ElementList& elements, const String& tag_) {
    for (Element* child : children) {
        if (child->tag == tag_) elements.push_back(child);
        child->GetElementsByTagName(elements, tag_);
    }
}

ElementDocument* Element::GetOwnerDocument() {
    for (Element* element = this; element != nullptr; element = element->parent)
        if (auto* document = dynamic_cast<ElementDocument*>(element)) return document;
    return nullptr;
}

Context* Element::GetContext() {
    for (Element* element = this; element != nullptr; element = element->parent)
        if (element->context != nullptr) return element->context;
    return nullptr;
}

void Element::GetInnerRML(String& content) const {
    for (const Element* child : children) {
        if (dynamic_cast<const ElementText*>(child) != nullptr) {
            child->GetInnerRML(content);
            continue;
        }
        content += "<" + child->tag;
        int pos = 0;
        String name;
        Variant* value = nullptr;
        Dictionary child_attributes = child->attributes;
        while (child_attributes.Iterate(pos, name, value)) {
            content += " " + name + "=\"";
            DocumentParser::AppendEscaped(content, value->Get<String>(), true);
            content += "\"";
        }
        if (child->children.empty()) {
            content += "/>";
            continue;
        }
        content += ">";
        child->GetInnerRML(content);
        content += "</" + child->tag + ">";
    }
}

String Element::GetInnerRML() const {
    String content;
    GetInnerRML(content);
    return content;
}

void Element::SetInnerRML(const String& rml) {
    while (!children.empty()) RemoveChild(children.back());
    if (!rml.empty()) DocumentParser::ParseInnerRML(this, rml);
}

Variant* Element::GetAttribute(const String& name) { return attributes.Get(name); }

void Element::SetAttributeValue(const String& name, const Variant& value) {
    attributes.Set(name, value);
    OnAttributeChange(name);
}

void Element::RemoveAttribute(const String& name) {
    if (attributes.Remove(name)) OnAttributeChange(name);
}

void Element::OnAttributeChange(const String& name) {
    const Variant* value = attributes.Get(name);
    String text = value != nullptr ? value->Get<String>() : String();
    if (name == "id") {
        id = text;
        style->DirtyDefinition();
    } else if (name == "class") {
        classes = SplitClassNames(text);
        style->DirtyDefinition();
    } else if (name == "style") {
        if (value != nullptr) style->SetInlineStyle(text);
    } else if (name.size() > 2 && name[0] == 'o' && name[1] == 'n') {
        BindAttributeListener(name, value != nullptr ? &text : nullptr);
    }
}

void Element::BindAttributeListener(const String& name, const String* value) {
    String event = name.Substring(2);
    auto previous = attribute_listeners.find(name);
    if (previous != attribute_listeners.end()) {
        EventListener* listener = previous->second;
        attribute_listeners.erase(previous);
        RemoveEventListener(event, listener, false);
    }
    if (value == nullptr) return;
    if (EventListener* listener = Factory::InstanceEventListener(*value, this)) {
        attribute_listeners[name] = listener;
        AddEventListener(event, listener, false);
    }
}

void Element::SetClass(const String& class_name, bool activate) {
    auto found = std::find(classes.begin(), classes.end(), class_name);
    if (activate == (found != classes.end()) || class_name.empty()) return;
    if (activate)
        classes.push_back(class_name);
    else
        classes.erase(found);
    ApplyClassChange();
}

void Element::ApplyClassChange() {
    attributes.Set("class", GetClassNames());
    style->DirtyDefinition();
}

bool Element::IsClassSet(const String& class_name) const {
    return std::find(classes.begin(), classes.end(), class_name) != classes.end();
}

void Element::SetClassNames(const String& class_names) { SetAttribute("class", class_names); }

String Element::GetClassNames() const {
    String names;
    for (const String& name : classes) {
        if (!names.empty()) names += " ";
        names += name;
    }
    return names;
}

void Element::SetPseudoClass(const String& pseudo_class, bool activate) {
    auto found = std::find(pseudo_classes.begin(), pseudo_classes.end(), pseudo_class);
    if (activate == (found != pseudo_classes.end())) return;
    if (activate)
        pseudo_classes.push_back(pseudo_class);
    else
        pseudo_classes.erase(found);
    if (PseudoClassMatters(this, pseudo_class)) style->DirtyDefinition();
}

bool Element::IsPseudoClassSet(const String& pseudo_class) const {
    return std::find(pseudo_classes.begin(), pseudo_classes.end(), pseudo_class) !=
           pseudo_classes.end();
}

bool Element::SetProperty(const String& name, const String& value) {
    if (style->SetProperty(name, value)) return true;
    Log::Message(Log::LT_WARNING, "Invalid value '%s' for property '%s' on <%s>.", value.c_str(),
                 name.c_str(), tag.c_str());
    return false;
}

bool Element::SetProperty(const String& name, const Property& property) {
    return style->SetProperty(name, property);
}

void Element::RemoveProperty(const String& name) { style->RemoveProperty(name); }

const Property* Element::GetProperty(const String& name) { return style->GetProperty(name); }

const Property* Element::GetLocalProperty(const String& name) {
    return style->GetLocalProperty(name);
}

float Element::ResolveProperty(const String& name, float base_value) {
    const Property* property = GetProperty(name);
    if (property == nullptr) return 0;
    float value = property->Get<float>();
    if (property->unit == Property::EM) return value * GetComputedValues().font_size;
    if (property->unit == Property::PERCENT) return value * base_value / 100.0f;
    return (property->unit & (Property::PX | Property::NUMBER)) ? value : 0.0f;
}

const ComputedValues& Element::GetComputedValues() { return style->GetComputedValues(); }

void Element::DirtyLayout() {
    if (ElementDocument* document = GetOwnerDocument()) document->DirtyDocumentLayout();
}

void Element::DirtyStyle() { style->DirtyDefinition(); }

void Element::EnsureLayout() {
    if (ElementDocument* document = GetOwnerDocument()) document->UpdateDocument();
}

bool Element::IsDisplayed() {
    EnsureLayout();
    return laid_out;
}

Vector2f Element::GetRelativeOffset(Box::Area area) {
    const Box& box = GetBox();
    return relative_offset_base + relative_offset_position + box.GetPosition(area);
}

Vector2f Element::GetAbsoluteOffset(Box::Area area) {
    // A loop, not recursion: every level asking for its document's layout again made each
    // call quadratic in the depth, and this runs for every element drawn.
    Vector2f offset = GetRelativeOffset(area);
    for (Element *child = this, *ancestor = parent; ancestor != nullptr;
         child = ancestor, ancestor = ancestor->parent) {
        // Above a document lies another layout.
        if (dynamic_cast<ElementDocument*>(child) != nullptr) ancestor->EnsureLayout();
        offset += ancestor->relative_offset_base + ancestor->relative_offset_position;
        if (!ancestor->boxes.empty()) offset += ancestor->boxes[0].GetPosition(Box::BORDER);
    }
    return offset;
}

const Box& Element::GetBox(int index) {
    static const Box empty;
    EnsureLayout();
    if (index < 0 || index >= static_cast<int>(boxes.size())) return empty;
    return boxes[static_cast<size_t>(index)];
}

int Element::GetNumBoxes() {
    EnsureLayout();
    return static_cast<int>(boxes.size());
}

void Element::SetBox(const Box& box) {
    boxes.assign(1, box);
    OnLayout();
}

void Element::AddBox(const Box& box) {
    boxes.push_back(box);
    OnLayout();
}

bool Element::GetIntrinsicDimensions(Vector2f&) { return false; }

bool Element::IsPointWithinElement(const Vector2f& point) {
    Vector2f origin = GetAbsoluteOffset(Box::BORDER);
    for (const Box& box : boxes) {
        Vector2f position = origin + box.GetOffset();
        Vector2f size = box.GetSize(Box::BORDER);
        if (point.x >= position.x && point.y >= position.y && point.x < position.x + size.x &&
            point.y < position.y + size.y)
            return true;
    }
    return false;
}

bool Element::IsVisible() {
    const ComputedValues& values = GetComputedValues();
    return values.visible && values.display != ComputedValues::DISPLAY_NONE;
}

float Element::GetZIndex() { return GetComputedValues().z_index; }

bool Element::Focus() {
    Context* owner = GetContext();
    if (owner == nullptr || !GetComputedValues().focusable) return false;
    return owner->OnFocusChange(this);
}

void Element::Blur() {
    Context* owner = GetContext();
    if (owner != nullptr && owner->GetFocusElement() == this)
        owner->OnFocusChange(owner->GetRootElement());
}

void Element::Click() { DispatchEvent("click", Dictionary(), true); }

void Element::AddEventListener(const String& event, EventListener* listener,
                               bool in_capture_phase) {
    if (listener == nullptr) return;
    listeners.push_back(ListenerEntry{event, listener, in_capture_phase});
    listener->OnAttach(this);
}

void Element::RemoveEventListener(const String& event, EventListener* listener,
                                  bool in_capture_phase) {
    for (auto entry = listeners.begin(); entry != listeners.end(); ++entry) {
        if (entry->event == event && entry->listener == listener &&
            entry->capture == in_capture_phase) {
            listeners.erase(entry);
            EventDispatcher::DetachListener(listener, this);
            return;
        }
    }
}

bool Element::HasListener(EventListener* listener) const {
    for (const ListenerEntry& entry : listeners)
        if (entry.listener == listener) return true;
    return false;
}

void Element::CallListeners(Event& event, bool capture_phase, bool bubble_phase) {
    std::vector<ListenerEntry> called;
    for (const ListenerEntry& entry : listeners)
        if (entry.event == event.GetType() && (entry.capture ? capture_phase : bubble_phase))
            called.push_back(entry);
    for (const ListenerEntry& entry : called) {
        // A listener taken off by an earlier one is not called.
        if (!HasListener(entry.listener)) continue;
        event.SetCurrentElement(this);
        entry.listener->ProcessEvent(event);
    }
}

bool Element::DispatchEvent(const String& event, const Dictionary& parameters, bool interruptible) {
    return EventDispatcher::Dispatch(this, event, parameters, interruptible);
}

void Element::Update() { EnsureLayout(); }

void Element::BuildLocalStackingContext() {
    stacking_context.clear();
    BuildStackingContext(stacking_context);
    std::stable_sort(stacking_context.begin(), stacking_context.end(),
                     [](Element* a, Element* b) { return a->GetZIndex() < b->GetZIndex(); });
}

void Element::BuildStackingContext(ElementList& list) {
    // Within a level: blocks, then inline content, then positioned elements;
    // each element's own subtree follows it, unless it stacks on its own.
    std::vector<std::pair<Element*, int>> ordered;
    for (Element* child : children) {
        if (!child->laid_out || !child->IsVisible()) continue;
        const ComputedValues& values = child->GetComputedValues();
        int order =
            values.IsPositioned() ? 2 : (values.display == ComputedValues::DISPLAY_BLOCK ? 0 : 1);
        ordered.emplace_back(child, order);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const std::pair<Element*, int>& a, const std::pair<Element*, int>& b) {
                         return a.second < b.second;
                     });
    for (auto& entry : ordered) {
        list.push_back(entry.first);
        if (!entry.first->local_stacking_context) entry.first->BuildStackingContext(list);
    }
}

void Element::Render(const String& layer) {
    bool draws = false;
    String child_layer = layer;
    if (layer == "all") {
        draws = true;
    } else if (tag == "layer") {
        // "default" draws what lies outside every layer, so no layer matches it.
        if (layer == "default" || GetAttribute<String>("name", String()).ToLower() != layer) return;
        draws = true;
        child_layer = "all";
    } else {
        draws = layer == "default";
    }
    Context* owner = GetContext();
    if (owner == nullptr) return;
    size_t first_positive = 0;
    while (first_positive < stacking_context.size() &&
           stacking_context[first_positive]->GetZIndex() < 0)
        stacking_context[first_positive++]->Render(child_layer);
    if (draws && laid_out && IsVisible()) RenderOwn(owner->GetRenderInterface());
    for (size_t i = first_positive; i < stacking_context.size(); ++i)
        stacking_context[i]->Render(child_layer);
}

void Element::RenderOwn(RenderInterface* render_interface) {
    if (geometry_dirty) {
        GenerateBackground();
        geometry_dirty = false;
    }
    background.Render(render_interface, GetAbsoluteOffset(Box::BORDER));
    OnRender(render_interface);
}

void Element::OnRender(RenderInterface*) {}

void Element::OnLayout() { geometry_dirty = true; }

void Element::GenerateBackground() {
    background.Release(true);
    const ComputedValues& values = GetComputedValues();
    for (const Box& box : boxes) {
        if (values.background_colour.alpha > 0)
            background.AddQuad(box.GetPosition(Box::PADDING), box.GetSize(Box::PADDING),
                               values.background_colour);
        Vector2f position = box.GetPosition(Box::BORDER);
        Vector2f size = box.GetSize(Box::BORDER);
        float top = box.GetEdge(Box::BORDER, Box::TOP),
              bottom = box.GetEdge(Box::BORDER, Box::BOTTOM);
        float left = box.GetEdge(Box::BORDER, Box::LEFT),
              right = box.GetEdge(Box::BORDER, Box::RIGHT);
        const Colourb* colours = values.border_colour;
        if (colours[Box::TOP].alpha > 0)
            background.AddQuad(position, Vector2f(size.x, top), colours[Box::TOP]);
        if (colours[Box::BOTTOM].alpha > 0)
            background.AddQuad(Vector2f(position.x, position.y + size.y - bottom),
                               Vector2f(size.x, bottom), colours[Box::BOTTOM]);
        if (colours[Box::LEFT].alpha > 0)
            background.AddQuad(Vector2f(position.x, position.y + top),
                               Vector2f(left, size.y - top - bottom), colours[Box::LEFT]);
        if (colours[Box::RIGHT].alpha > 0)
            background.AddQuad(Vector2f(position.x + size.x - right, position.y + top),
                               Vector2f(right, size.y - top - bottom), colours[Box::RIGHT]);
    }
}

Element* Element::GetElementAtPoint(const Vector2f& point) {
    auto test = [&point](Element* element) -> Element* {
        if (element->local_stacking_context) return element->GetElementAtPoint(point);
        if (dynamic_cast<ElementText*>(element) != nullptr) return nullptr;
        return element->IsPointWithinElement(point) ? element : nullptr;
    };
    size_t first_positive = 0;
    while (first_positive < stacking_context.size() &&
           stacking_context[first_positive]->GetZIndex() < 0)
        ++first_positive;
    for (size_t i = stacking_context.size(); i-- > first_positive;)
        if (Element* hit = test(stacking_context[i])) return hit;
    if (laid_out && IsVisible() && IsPointWithinElement(point)) return this;
    for (size_t i = first_positive; i-- > 0;)
        if (Element* hit = test(stacking_context[i])) return hit;
    return nullptr;
}

}  // namespace Core
}  // namespace Rocket
