#include <Rocket/Core/ElementDocument.h>

#include "ComputedValues.h"
#include "DocumentParser.h"
#include "LayoutEngine.h"
#include "StyleSheet.h"

#include <Rocket/Core/Context.h>
#include <Rocket/Core/ElementText.h>

#include <algorithm>

namespace Rocket {
namespace Core {

ElementDocument::ElementDocument(const String& tag_) : Element(tag_) {
    // Documents are loaded hidden; Show makes them visible.
    SetProperty("visibility", "hidden");
}

ElementDocument::~ElementDocument() = default;

void ElementDocument::SetStyleSheet(std::shared_ptr<StyleSheet> style_sheet_) {
    style_sheet = std::move(style_sheet_);
    DirtyStyle();
}

void ElementDocument::PullToFront() {
    if (Context* owner = GetContext()) owner->PullDocumentToFront(this);
}

void ElementDocument::PushToBack() {
    if (Context* owner = GetContext()) owner->PushDocumentToBack(this);
}

void ElementDocument::Show(int focus_flags) {
    SetProperty("visibility", "visible");
    modal = (focus_flags & MODAL) != 0;
    if (focus_flags & (FOCUS | MODAL)) Focus();
    DispatchEvent("show", Dictionary(), false);
}

void ElementDocument::Hide() {
    SetProperty("visibility", "hidden");
    modal = false;
    DispatchEvent("hide", Dictionary(), false);
    if (Context* owner = GetContext()) {
        for (Element* element = owner->GetFocusElement(); element != nullptr;
             element = element->GetParentNode()) {
            if (element == this) {
                owner->OnFocusChange(owner->GetRootElement());
                break;
            }
        }
    }
}

void ElementDocument::Close() {
    if (Context* owner = GetContext()) owner->UnloadDocument(this);
}

Element* ElementDocument::CreateElement(const String& name) {
    return DocumentParser::InstanceElement(name.ToLower());
}

ElementText* ElementDocument::CreateTextNode(const String& text) {
    auto* node = new ElementText("#text");
    node->SetText(text);
    return node;
}

Element* ElementDocument::FindNextTabElement(Element* current, bool forward) {
    UpdateDocument();
    ElementList stops;
    ElementList pending(children.rbegin(), children.rend());
    while (!pending.empty()) {
        Element* element = pending.back();
        pending.pop_back();
        if (!element->laid_out) continue;
        const ComputedValues& values = element->GetComputedValues();
        if (values.tab_index_auto && values.focusable && element->IsVisible())
            stops.push_back(element);
        pending.insert(pending.end(), element->children.rbegin(), element->children.rend());
    }
    if (stops.empty()) return nullptr;
    auto position = std::find(stops.begin(), stops.end(), current);
    if (position == stops.end()) return forward ? stops.front() : stops.back();
    if (forward) return position + 1 == stops.end() ? stops.front() : *(position + 1);
    return position == stops.begin() ? stops.back() : *(position - 1);
}

void ElementDocument::UpdateDocument() {
    if (!layout_dirty || in_layout) return;
    in_layout = true;
    Context* owner = GetContext();
    Vector2f containing_block;
    if (owner != nullptr)
        containing_block = Vector2f(static_cast<float>(owner->GetDimensions().x),
                                    static_cast<float>(owner->GetDimensions().y));
    LayoutEngine engine;
    engine.FormatDocument(this, containing_block);
    // Changes made by the layout itself (the z-index of layers) need no second pass.
    layout_dirty = false;
    in_layout = false;
}

}  // namespace Core
}  // namespace Rocket
