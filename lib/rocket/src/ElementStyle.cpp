#include "ElementStyle.h"

#include "PropertyRegistry.h"
#include "StyleSheet.h"
#include "StyleSheetParser.h"

#include <Rocket/Core/Element.h>
#include <Rocket/Core/ElementDocument.h>
#include <Rocket/Core/ElementText.h>

namespace Rocket {
namespace Core {

bool ElementStyle::SetProperty(const String& name, const String& value) {
    PropertyMap parsed;
    if (!PropertyRegistry::Instance().ParsePropertyDeclaration(parsed, name, value))
        return false;
    bool changed = false;
    for (auto& entry : parsed) {
        auto found = local.find(entry.first);
        if (found == local.end() || found->second != entry.second) {
            local[entry.first] = entry.second;
            changed = true;
        }
    }
    if (changed) DirtyComputed();
    return true;
}

bool ElementStyle::SetProperty(const String& name, const Property& property) {
    const PropertyDefinition* definition_of = PropertyRegistry::Instance().GetProperty(name);
    if (definition_of == nullptr) return false;
    auto found = local.find(name);
    if (found != local.end() && found->second == property) return true;
    Property stored = property;
    stored.definition = definition_of;
    local[name] = stored;
    DirtyComputed();
    return true;
}

void ElementStyle::RemoveProperty(const String& name) {
    if (local.erase(name) > 0) DirtyComputed();
}

void ElementStyle::SetInlineStyle(const String& declarations) {
    PropertyMap parsed;
    StyleSheetParser::ParseDeclarations(declarations, element->GetTagName() + " style attribute", 1,
                                        parsed);
    for (auto& entry : parsed) local[entry.first] = entry.second;
    DirtyComputed();
}

const Property* ElementStyle::GetLocalProperty(const String& name) const {
    auto found = local.find(name);
    return found != local.end() ? &found->second : nullptr;
}

const Property* ElementStyle::GetOwnProperty(const String& name) {
    if (const Property* property = GetLocalProperty(name)) return property;
    if (definition_dirty) UpdateDefinition();
    auto found = definition.find(name);
    return found != definition.end() ? &found->second : nullptr;
}

const Property* ElementStyle::GetProperty(const String& name) {
    if (const Property* property = GetOwnProperty(name)) return property;
    const PropertyDefinition* definition_of = PropertyRegistry::Instance().GetProperty(name);
    if (definition_of == nullptr) return nullptr;
    if (definition_of->IsInherited() && element->GetParentNode() != nullptr)
        return element->GetParentNode()->GetProperty(name);
    return &definition_of->GetDefaultValue();
}

void ElementStyle::DirtyDefinition() {
    MarkDirty(true);
    element->DirtyLayout();
}

void ElementStyle::DirtyComputed() {
    MarkDirty(false);
    element->DirtyLayout();
}

void ElementStyle::MarkDirty(bool definition_too) {
    if (definition_too) definition_dirty = true;
    computed_dirty = true;
    for (Element* child : element->children) {
        child->style->MarkDirty(definition_too);
        // The subtree shares the caller's layout, except below a document of its own.
        if (auto* document = dynamic_cast<ElementDocument*>(child)) document->DirtyDocumentLayout();
    }
}

void ElementStyle::UpdateDefinition() {
    definition_dirty = false;
    definition.clear();
    // Text runs take everything from their parent.
    if (dynamic_cast<ElementText*>(element) != nullptr) return;
    ElementDocument* document = element->GetOwnerDocument();
    if (document != nullptr && document->GetStyleSheet())
        document->GetStyleSheet()->GetMatchingProperties(element, definition);
}

const ComputedValues& ElementStyle::GetComputedValues() {
    if (computed_dirty) Compute();
    return computed;
}

LengthValue ElementStyle::ComputeLength(const String& name, float font_size) {
    const Property* property = GetProperty(name);
    LengthValue length;
    if (property == nullptr) return length;
    switch (property->unit) {
        case Property::KEYWORD:
            length.type = property->definition != nullptr &&
                                  property->definition->GetKeyword(property->Get<int>()) == "none"
                              ? LengthValue::NONE
                              : LengthValue::AUTO;
            break;
        case Property::PERCENT:
            length.type = LengthValue::PERCENT;
            length.value = property->Get<float>();
            break;
        case Property::EM:
            length.value = property->Get<float>() * font_size;
            break;
        default:
            length.value = property->Get<float>();
            break;
    }
    return length;
}

void ElementStyle::Compute() {
    // Flags first: reading the parent may recurse into us through GetProperty.
    computed_dirty = false;
    ComputedValues parent_values;
    Element* parent = element->GetParentNode();
    if (parent != nullptr) parent_values = parent->GetComputedValues();
    ComputedValues& values = computed;
    values = ComputedValues();

    // A keyword out of its list (from SetProperty with a Property) counts as the default.
    auto keyword = [&](const char* name) {
        const Property* property = GetProperty(name);
        int index = property->Get<int>();
        if (property->unit != Property::KEYWORD || property->definition == nullptr ||
            property->definition->GetKeyword(index).empty())
            index =
                PropertyRegistry::Instance().GetProperty(name)->GetDefaultValue().Get<int>();
        return index;
    };
    // Inherited properties not given here take the parent's computed value.
    auto own = [&](const char* name) {
        return parent != nullptr ? GetOwnProperty(name) : GetProperty(name);
    };

    values.display = static_cast<ComputedValues::Display>(keyword("display"));
    values.position = static_cast<ComputedValues::Position>(keyword("position"));
    // Out-of-flow boxes are blocks.
    if (values.IsOutOfFlow() && values.display == ComputedValues::DISPLAY_INLINE)
        values.display = ComputedValues::DISPLAY_BLOCK;

    if (const Property* size = own("font-size")) {
        float base = parent != nullptr ? parent_values.font_size : 12.0f;
        float number = size->Get<float>();
        if (size->unit == Property::EM)
            number *= base;
        else if (size->unit == Property::PERCENT)
            number = number * base / 100.0f;
        values.font_size = number < 0 ? 0 : number;
    } else {
        values.font_size = parent_values.font_size;
    }
    float font_size = values.font_size;

    if (const Property* line_height = own("line-height")) {
        float number = line_height->Get<float>();
        values.line_height_factor = -1;
        if (line_height->unit == Property::NUMBER) {
            values.line_height_factor = number;
            values.line_height = number * font_size;
        } else if (line_height->unit == Property::EM) {
            values.line_height = number * font_size;
        } else if (line_height->unit == Property::PERCENT) {
            values.line_height = number * font_size / 100.0f;
        } else {
            values.line_height = number;
        }
    } else {
        values.line_height_factor = parent_values.line_height_factor;
        values.line_height = values.line_height_factor >= 0 ? values.line_height_factor * font_size
                                                            : parent_values.line_height;
    }
    if (values.line_height < 0) values.line_height = 0;

    values.visible = keyword("visibility") == 0;
    values.colour = GetProperty("color")->Get<Colourb>();
    values.font_family = GetProperty("font-family")->Get<String>();
    values.font_weight = static_cast<Font::Weight>(keyword("font-weight"));
    values.font_style = static_cast<Font::Style>(keyword("font-style"));
    values.text_align = static_cast<ComputedValues::TextAlign>(keyword("text-align"));
    values.focusable = keyword("focus") != 0;
    values.tab_index_auto = keyword("tab-index") == 1;
    const Property* z_index = GetProperty("z-index");
    values.z_index_auto = z_index->unit == Property::KEYWORD;
    values.z_index = values.z_index_auto ? 0.0f : z_index->Get<float>();
    values.background_colour = GetProperty("background-color")->Get<Colourb>();

    values.top = ComputeLength("top", font_size);
    values.right = ComputeLength("right", font_size);
    values.bottom = ComputeLength("bottom", font_size);
    values.left = ComputeLength("left", font_size);
    values.width = ComputeLength("width", font_size);
    values.height = ComputeLength("height", font_size);
    values.min_width = ComputeLength("min-width", font_size);
    values.min_height = ComputeLength("min-height", font_size);
    values.max_width = ComputeLength("max-width", font_size);
    values.max_height = ComputeLength("max-height", font_size);
    static const char* const edges[4] = {"top", "right", "bottom", "left"};
    for (int i = 0; i < 4; ++i) {
        String side(edges[i]);
        values.margin[i] = ComputeLength("margin-" + side, font_size);
        values.padding[i] = ComputeLength("padding-" + side, font_size);
        float border = ComputeLength("border-" + side + "-width", font_size).Resolve(0);
        values.border_width[i] = border < 0 ? 0 : border;
        values.border_colour[i] = GetProperty("border-" + side + "-color")->Get<Colourb>();
    }
}

}  // namespace Core
}  // namespace Rocket
