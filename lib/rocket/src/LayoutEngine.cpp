#include "LayoutEngine.h"

#include "ComputedValues.h"
#include "LayoutInline.h"

#include <Rocket/Core/ElementDocument.h>
#include <Rocket/Core/ElementText.h>
#include <Rocket/Core/FontFaceHandle.h>

#include <algorithm>
#include <limits>

namespace Rocket {
namespace Core {

namespace {

float NonNegative(float value) { return value > 0 ? value : 0; }

}  // namespace

void LayoutEngine::FormatDocument(ElementDocument* document, const Vector2f& containing_block) {
    viewport = containing_block;
    ClearLayout(document);
    const ComputedValues& values = document->GetComputedValues();
    Vector2f origin(values.left.IsAuto() ? 0 : values.left.Resolve(viewport.x),
                    values.top.IsAuto() ? 0 : values.top.Resolve(viewport.y));
    FormatBlock(document, origin, viewport.x, viewport.y, -1, -1);
    // What is left waits for the viewport (fixed elements).
    while (!absolutes.empty()) FormatAbsolutes(absolutes.begin()->first);
    document->relative_offset_base = document->layout_position;
    document->relative_offset_position = Vector2f();
    Finish(document, document->layout_position, document->layout_position);
}

bool LayoutEngine::FormatElementSpecial(Element* element) {
    if (element->GetTagName() == "br") {
        if (current_line != nullptr) current_line->AddBreak();
        element->laid_out = true;
        element->SetBox(Box());
        return true;
    }
    if (element->GetTagName() == "layer") element->SetProperty("z-index", "10000000");
    return false;
}

void LayoutEngine::ClearLayout(Element* element) {
    element->laid_out = false;
    element->boxes.clear();
    element->stacking_context.clear();
    element->local_stacking_context = false;
    element->relative_offset_position = Vector2f();
    if (auto* text = dynamic_cast<ElementText*>(element)) text->ClearLines();
    for (Element* child : element->children) ClearLayout(child);
}

void LayoutEngine::Translate(Element* element, const Vector2f& delta) {
    element->layout_position += delta;
    if (auto* text = dynamic_cast<ElementText*>(element))
        for (ElementText::Line& line : text->lines) line.position += delta;
    for (Element* child : element->children)
        if (child->laid_out) Translate(child, delta);
}

void LayoutEngine::BuildEdges(Element* element, float containing_width, Box& box) {
    const ComputedValues& values = element->GetComputedValues();
    for (int edge = Box::TOP; edge < Box::NUM_EDGES; ++edge) {
        auto side = static_cast<Box::Edge>(edge);
        box.SetEdge(Box::MARGIN, side, values.margin[edge].Resolve(containing_width));
        box.SetEdge(Box::BORDER, side, values.border_width[edge]);
        box.SetEdge(Box::PADDING, side,
                    NonNegative(values.padding[edge].Resolve(containing_width)));
    }
}

float LayoutEngine::HorizontalEdges(const Box& box) {
    return box.GetCumulativeEdge(Box::MARGIN, Box::LEFT) +
           box.GetCumulativeEdge(Box::MARGIN, Box::RIGHT);
}

float LayoutEngine::VerticalEdges(const Box& box) {
    return box.GetCumulativeEdge(Box::MARGIN, Box::TOP) +
           box.GetCumulativeEdge(Box::MARGIN, Box::BOTTOM);
}

float LayoutEngine::ClampWidth(Element* element, float width, float containing_width) {
    const ComputedValues& values = element->GetComputedValues();
    if (values.max_width.type != LengthValue::NONE)
        width = std::min(width, values.max_width.Resolve(containing_width));
    return NonNegative(std::max(width, values.min_width.Resolve(containing_width)));
}

float LayoutEngine::ClampHeight(Element* element, float height, float containing_height) {
    const ComputedValues& values = element->GetComputedValues();
    bool known = containing_height >= 0;
    if (values.max_height.type == LengthValue::LENGTH ||
        (values.max_height.type == LengthValue::PERCENT && known))
        height = std::min(height, values.max_height.Resolve(containing_height));
    if (values.min_height.type == LengthValue::LENGTH ||
        (values.min_height.type == LengthValue::PERCENT && known))
        height = std::max(height, values.min_height.Resolve(containing_height));
    return NonNegative(height);
}

void LayoutEngine::SetRelativeShift(Element* element, float containing_width,
                                    float containing_height) {
    const ComputedValues& values = element->GetComputedValues();
    if (values.position != ComputedValues::POSITION_RELATIVE) return;
    Vector2f shift;
    if (!values.left.IsAuto())
        shift.x = values.left.Resolve(containing_width);
    else if (!values.right.IsAuto())
        shift.x = -values.right.Resolve(containing_width);
    if (!values.top.IsAuto())
        shift.y = values.top.Resolve(containing_height);
    else if (!values.bottom.IsAuto())
        shift.y = -values.bottom.Resolve(containing_height);
    element->relative_offset_position = shift;
}

float LayoutEngine::FormatBlock(Element* element, const Vector2f& margin_origin,
                                float containing_width, float containing_height, float forced_width,
                                float forced_height) {
    const ComputedValues& values = element->GetComputedValues();
    Box box;
    BuildEdges(element, containing_width, box);
    float edges = HorizontalEdges(box);

    Vector2f intrinsic;
    bool replaced = element->GetIntrinsicDimensions(intrinsic);
    bool width_auto = values.width.IsAuto();
    bool height_auto = values.height.IsAuto() ||
                       (values.height.type == LengthValue::PERCENT && containing_height < 0);
    float specified_width = width_auto ? 0 : NonNegative(values.width.Resolve(containing_width));
    float specified_height =
        height_auto ? 0 : NonNegative(values.height.Resolve(containing_height));

    float width = 0;
    if (forced_width >= 0) {
        width = forced_width;
    } else if (!width_auto) {
        width = ClampWidth(element, specified_width, containing_width);
    } else if (replaced) {
        width = ClampWidth(element,
                           !height_auto && intrinsic.y > 0
                               ? intrinsic.x * specified_height / intrinsic.y
                               : intrinsic.x,
                           containing_width);
    } else {
        width = ClampWidth(element, containing_width - edges, containing_width);
    }

    // Auto margins of a block with a width share the room left.
    if (!width_auto || replaced) {
        float room = NonNegative(containing_width - width - edges);
        bool left_auto = values.margin[Box::LEFT].IsAuto(),
             right_auto = values.margin[Box::RIGHT].IsAuto();
        if (left_auto && right_auto) {
            box.SetEdge(Box::MARGIN, Box::LEFT, room / 2);
            box.SetEdge(Box::MARGIN, Box::RIGHT, room / 2);
        } else if (left_auto) {
            box.SetEdge(Box::MARGIN, Box::LEFT, room);
        } else if (right_auto) {
            box.SetEdge(Box::MARGIN, Box::RIGHT, room);
        }
    }

    Vector2f border_origin = margin_origin + Vector2f(box.GetEdge(Box::MARGIN, Box::LEFT),
                                                      box.GetEdge(Box::MARGIN, Box::TOP));
    element->layout_position = border_origin;
    element->laid_out = true;

    float content_height = 0;
    float height_for_children =
        forced_height >= 0 ? forced_height : (height_auto ? -1 : specified_height);
    if (replaced) {
        content_height = !width_auto && intrinsic.x > 0 && height_auto
                             ? intrinsic.y * width / intrinsic.x
                             : intrinsic.y;
    } else {
        Flow flow;
        flow.content_origin =
            border_origin + Vector2f(box.GetCumulativeEdge(Box::BORDER, Box::LEFT),
                                     box.GetCumulativeEdge(Box::BORDER, Box::TOP));
        flow.width = width;
        flow.height = height_for_children;
        flow.cursor = 0;
        LayoutInline line(element, flow.content_origin, width, flow.cursor);
        flow.line = &line;
        LayoutInline* outer_line = current_line;
        current_line = &line;
        for (Element* child : ElementList(element->children)) FormatChild(child, flow);
        line.Close();
        current_line = outer_line;
        content_height = flow.cursor;
    }

    float height = 0;
    if (forced_height >= 0)
        height = forced_height;
    else if (!height_auto)
        height = ClampHeight(element, specified_height, containing_height);
    else
        height = ClampHeight(element, content_height, containing_height);
    box.SetContent(Vector2f(width, height));
    element->SetBox(box);

    if (values.IsPositioned() || dynamic_cast<ElementDocument*>(element) != nullptr)
        FormatAbsolutes(element);
    return box.GetSize(Box::MARGIN).y;
}

void LayoutEngine::FormatChild(Element* child, Flow& flow) {
    if (FormatElementSpecial(child)) return;
    const ComputedValues& values = child->GetComputedValues();
    if (values.display == ComputedValues::DISPLAY_NONE) return;
    if (auto* text = dynamic_cast<ElementText*>(child)) {
        flow.line->AddText(text);
        return;
    }
    if (values.IsOutOfFlow()) {
        Vector2f static_position =
            flow.content_origin + Vector2f(flow.line->GetCurrentX(), flow.cursor);
        absolutes[FindContainingBlock(child)].push_back(Pending{child, static_position});
        return;
    }
    SetRelativeShift(child, flow.width, flow.height);
    Vector2f intrinsic;
    if (values.display == ComputedValues::DISPLAY_BLOCK) {
        flow.line->Close();
        flow.cursor += FormatBlock(child, flow.content_origin + Vector2f(0, flow.cursor),
                                   flow.width, flow.height, -1, -1);
    } else if (values.display == ComputedValues::DISPLAY_INLINE_BLOCK ||
               child->GetIntrinsicDimensions(intrinsic)) {
        FormatAtomic(child, flow);
    } else {
        flow.line->OpenInline(child);
        for (Element* grandchild : ElementList(child->children)) FormatChild(grandchild, flow);
        flow.line->CloseInline(child);
    }
}

void LayoutEngine::FormatAtomic(Element* child, Flow& flow) {
    const ComputedValues& values = child->GetComputedValues();
    float forced_width = -1;
    Vector2f intrinsic;
    if (values.width.IsAuto() && !child->GetIntrinsicDimensions(intrinsic)) {
        Box box;
        BuildEdges(child, flow.width, box);
        float room = NonNegative(flow.width - HorizontalEdges(box));
        forced_width = ClampWidth(child, std::min(MaxContentWidth(child), room), flow.width);
    }
    FormatBlock(child, flow.content_origin + Vector2f(0, flow.cursor), flow.width, flow.height,
                forced_width, -1);
    flow.line->AddAtomic(child);
}

Element* LayoutEngine::FindContainingBlock(Element* element) {
    if (element->GetComputedValues().position == ComputedValues::POSITION_FIXED) return nullptr;
    for (Element* ancestor = element->GetParentNode(); ancestor != nullptr;
         ancestor = ancestor->GetParentNode()) {
        if (dynamic_cast<ElementDocument*>(ancestor) != nullptr) return ancestor;
        const ComputedValues& values = ancestor->GetComputedValues();
        if (values.IsPositioned() && values.display != ComputedValues::DISPLAY_INLINE)
            return ancestor;
    }
    return nullptr;
}

void LayoutEngine::FormatAbsolutes(Element* containing_block) {
    auto found = absolutes.find(containing_block);
    if (found == absolutes.end()) return;
    std::vector<Pending> pending = std::move(found->second);
    absolutes.erase(found);
    Vector2f origin, size = viewport;
    if (containing_block != nullptr && !containing_block->boxes.empty()) {
        const Box& box = containing_block->boxes[0];
        origin = containing_block->layout_position +
                 Vector2f(box.GetEdge(Box::BORDER, Box::LEFT), box.GetEdge(Box::BORDER, Box::TOP));
        size = box.GetSize(Box::PADDING);
    }
    for (const Pending& entry : pending)
        FormatAbsolute(entry.element, entry.static_position, origin, size);
}

void LayoutEngine::FormatAbsolute(Element* element, const Vector2f& static_position,
                                  const Vector2f& origin, const Vector2f& size) {
    const ComputedValues& values = element->GetComputedValues();
    Box box;
    BuildEdges(element, size.x, box);
    bool left_auto = values.left.IsAuto(), right_auto = values.right.IsAuto();
    bool top_auto = values.top.IsAuto(), bottom_auto = values.bottom.IsAuto();
    float left = values.left.Resolve(size.x), right = values.right.Resolve(size.x);
    float top = values.top.Resolve(size.y), bottom = values.bottom.Resolve(size.y);

    float forced_width = -1, forced_height = -1;
    Vector2f intrinsic;
    if (values.width.IsAuto() && !element->GetIntrinsicDimensions(intrinsic)) {
        float room = NonNegative(size.x - (left_auto ? 0 : left) - (right_auto ? 0 : right) -
                                 HorizontalEdges(box));
        forced_width = ClampWidth(
            element, !left_auto && !right_auto ? room : std::min(MaxContentWidth(element), room),
            size.x);
    }
    if (values.height.IsAuto() && !top_auto && !bottom_auto)
        forced_height = ClampHeight(element, size.y - top - bottom - VerticalEdges(box), size.y);

    FormatBlock(element, Vector2f(), size.x, size.y, forced_width, forced_height);
    const Vector2f margin_size = element->boxes[0].GetSize(Box::MARGIN);
    Vector2f position;
    position.x =
        !left_auto ? origin.x + left
                   : (!right_auto ? origin.x + size.x - right - margin_size.x : static_position.x);
    position.y =
        !top_auto ? origin.y + top
                  : (!bottom_auto ? origin.y + size.y - bottom - margin_size.y : static_position.y);
    const Box& formatted = element->boxes[0];
    Vector2f margin_origin =
        element->layout_position - Vector2f(formatted.GetEdge(Box::MARGIN, Box::LEFT),
                                            formatted.GetEdge(Box::MARGIN, Box::TOP));
    Translate(element, position - margin_origin);
}

float LayoutEngine::MaxContentWidth(Element* element) {
    float widest = 0, run = 0;
    for (Element* child : element->children) {
        const ComputedValues& values = child->GetComputedValues();
        if (values.display == ComputedValues::DISPLAY_NONE || values.IsOutOfFlow()) continue;
        if (child->GetTagName() == "br") {
            widest = std::max(widest, run);
            run = 0;
        } else if (auto* text = dynamic_cast<ElementText*>(child)) {
            std::shared_ptr<FontFaceHandle> font = text->GetFontFaceHandle();
            if (!font) continue;
            // Blanks collapse to one, as in the lines themselves.
            String collapsed;
            for (char c : text->GetText()) {
                bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
                if (!blank || (!collapsed.empty() && collapsed.back() != ' '))
                    collapsed += blank ? ' ' : c;
            }
            run += font->GetStringWidth(collapsed);
        } else if (values.display == ComputedValues::DISPLAY_BLOCK) {
            widest = std::max(widest, run);
            run = 0;
            widest = std::max(widest, OuterMaxContentWidth(child));
        } else if (values.display == ComputedValues::DISPLAY_INLINE_BLOCK) {
            run += OuterMaxContentWidth(child);
        } else {
            Vector2f intrinsic;
            if (child->GetIntrinsicDimensions(intrinsic)) {
                run += OuterMaxContentWidth(child);
            } else {
                Box box;
                BuildEdges(child, 0, box);
                run += HorizontalEdges(box) + MaxContentWidth(child);
            }
        }
    }
    return std::max(widest, run);
}

float LayoutEngine::OuterMaxContentWidth(Element* element) {
    const ComputedValues& values = element->GetComputedValues();
    Box box;
    BuildEdges(element, 0, box);
    float width = 0;
    Vector2f intrinsic;
    if (values.width.type == LengthValue::LENGTH)
        width = values.width.value;
    else if (element->GetIntrinsicDimensions(intrinsic))
        width = intrinsic.x;
    else
        width = MaxContentWidth(element);
    return NonNegative(width) + HorizontalEdges(box);
}

void LayoutEngine::Finish(Element* element, const Vector2f& layout_position,
                          const Vector2f& actual_position) {
    const ComputedValues& values = element->GetComputedValues();
    element->local_stacking_context =
        !values.z_index_auto || dynamic_cast<ElementDocument*>(element) != nullptr;
    for (Element* child : element->children) {
        if (!child->laid_out) continue;
        // Fixed elements were placed in the viewport, whatever their ancestors' shifts.
        bool fixed = child->GetComputedValues().position == ComputedValues::POSITION_FIXED;
        child->relative_offset_base =
            child->layout_position - (fixed ? actual_position : layout_position);
        Vector2f child_actual =
            actual_position + child->relative_offset_base + child->relative_offset_position;
        if (auto* text = dynamic_cast<ElementText*>(child))
            for (ElementText::Line& line : text->lines) line.position -= child->layout_position;
        Finish(child, child->layout_position, child_actual);
    }
    if (element->local_stacking_context) element->BuildLocalStackingContext();
}

}  // namespace Core
}  // namespace Rocket
