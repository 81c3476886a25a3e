#include "LayoutInline.h"

#include "ComputedValues.h"
#include "LayoutEngine.h"

#include <Rocket/Core/ElementText.h>
#include <Rocket/Core/FontDatabase.h>
#include <Rocket/Core/FontFaceHandle.h>

#include <algorithm>
#include <cmath>

namespace Rocket {
namespace Core {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

float EdgeWidth(Element* element, Box::Edge edge, float containing_width) {
    const ComputedValues& values = element->GetComputedValues();
    float margin = values.margin[edge].Resolve(containing_width);
    float padding = std::max(0.0f, values.padding[edge].Resolve(containing_width));
    return margin + values.border_width[edge] + padding;
}

}  // namespace

LayoutInline::LayoutInline(Element* block_, const Vector2f& origin_, float width_, float& cursor_)
    : block(block_), origin(origin_), width(width_), cursor(cursor_) {}

bool LayoutInline::GetFontMetrics(Element* element, float& ascent, float& descent) {
    std::shared_ptr<FontFaceHandle> font;
    if (auto* text = dynamic_cast<ElementText*>(element)) {
        font = text->GetFontFaceHandle();
    } else {
        const ComputedValues& values = element->GetComputedValues();
        font = FontDatabase::GetFontFaceHandle(values.font_family, values.font_style,
                                               values.font_weight,
                                               static_cast<int>(std::lround(values.font_size)));
    }
    if (!font) {
        float size = element->GetComputedValues().font_size;
        ascent = size * 0.8f;
        descent = size * 0.2f;
        return false;
    }
    ascent = font->GetAscent();
    descent = font->GetDescent();
    return true;
}

void LayoutInline::Push(Fragment fragment) {
    fragment.inlines = open;
    fragment.x = 0;
    // Consecutive words of one text run on one line make one fragment.
    if (fragment.kind == TEXT && !line.empty() && line.back().kind == TEXT &&
        line.back().element == fragment.element && line.back().inlines == fragment.inlines) {
        line.back().text += fragment.text;
        line.back().width += fragment.width;
    } else {
        line.push_back(fragment);
    }
    line_x += fragment.width;
}

void LayoutInline::AddText(ElementText* text) {
    text->ClearLines();
    text->laid_out = true;
    std::shared_ptr<FontFaceHandle> font = text->GetFontFaceHandle();
    if (!font) return;
    float space_width = font->GetStringWidth(" ");
    const String& content = text->GetText();
    size_t pos = 0;
    while (pos < content.size()) {
        if (IsSpace(content[pos])) {
            space_pending = true;
            ++pos;
            continue;
        }
        size_t end = pos;
        while (end < content.size() && !IsSpace(content[end])) ++end;
        AddWord(text, *font, content.Substring(pos, end - pos), space_pending, space_width);
        space_pending = false;
        pos = end;
    }
}

void LayoutInline::AddWord(ElementText* text, FontFaceHandle& font, const String& word,
                           bool space_before, float space_width) {
    float word_width = font.GetStringWidth(word);
    bool spaced = space_before && has_content;
    bool can_break = spaced || break_after;
    if (has_content && can_break && line_x + word_width + (spaced ? space_width : 0) > width) {
        FinishLine(false);
        spaced = false;
    }
    Push(Fragment{TEXT,
                  text,
                  spaced ? String(" " + word) : word,
                  word_width + (spaced ? space_width : 0),
                  {},
                  0});
    has_content = true;
    break_after = false;
}

void LayoutInline::FlushSpace() {
    // A blank before an element boundary stays with the text before it.
    if (!space_pending || !has_content) return;
    space_pending = false;
    break_after = true;
    if (line.empty() || line.back().kind != TEXT) return;
    std::shared_ptr<FontFaceHandle> font =
        static_cast<ElementText*>(line.back().element)->GetFontFaceHandle();
    float space_width = font ? font->GetStringWidth(" ") : 0;
    line.back().text += " ";
    line.back().width += space_width;
    line_x += space_width;
}

void LayoutInline::OpenInline(Element* element) {
    FlushSpace();
    open.push_back(element);
    Push(Fragment{OPEN, element, String(), EdgeWidth(element, Box::LEFT, width), {}, 0});
}

void LayoutInline::CloseInline(Element* element) {
    FlushSpace();
    Push(Fragment{CLOSE, element, String(), EdgeWidth(element, Box::RIGHT, width), {}, 0});
    if (!open.empty() && open.back() == element) open.pop_back();
}

void LayoutInline::AddAtomic(Element* element) {
    FlushSpace();
    float atomic_width = element->boxes.empty() ? 0 : element->boxes[0].GetSize(Box::MARGIN).x;
    if (has_content && line_x + atomic_width > width) FinishLine(false);
    Push(Fragment{ATOMIC, element, String(), atomic_width, {}, 0});
    has_content = true;
    break_after = true;
    space_pending = false;
}

void LayoutInline::AddBreak() {
    FinishLine(true);
    space_pending = false;
}

void LayoutInline::Close() { FinishLine(false); }

void LayoutInline::TrimTrailingSpace() {
    for (size_t i = line.size(); i-- > 0;) {
        Fragment& fragment = line[i];
        if (fragment.kind == OPEN || fragment.kind == CLOSE) continue;
        if (fragment.kind == TEXT && !fragment.text.empty() && fragment.text.back() == ' ') {
            std::shared_ptr<FontFaceHandle> font =
                static_cast<ElementText*>(fragment.element)->GetFontFaceHandle();
            float space_width = font ? font->GetStringWidth(" ") : 0;
            fragment.text.pop_back();
            fragment.width -= space_width;
            line_x -= space_width;
        }
        return;
    }
}

void LayoutInline::FinishLine(bool forced) {
    if (line.empty() && !forced) return;
    TrimTrailingSpace();
    float above = 0, below = 0;
    auto include = [&above, &below](float ascent, float descent, float line_height) {
        float half_leading = (line_height - (ascent + descent)) / 2;
        above = std::max(above, ascent + half_leading);
        below = std::max(below, descent + half_leading);
    };
    float ascent = 0, descent = 0;
    if (has_content || forced) {
        GetFontMetrics(block, ascent, descent);
        include(ascent, descent, block->GetComputedValues().line_height);
    }
    for (const Fragment& fragment : line) {
        if (fragment.kind == ATOMIC) {
            float height = fragment.element->boxes.empty()
                               ? 0
                               : fragment.element->boxes[0].GetSize(Box::MARGIN).y;
            above = std::max(above, height);
            continue;
        }
        GetFontMetrics(fragment.element, ascent, descent);
        include(ascent, descent, fragment.element->GetComputedValues().line_height);
    }

    float offset = 0;
    float extra = width - line_x;
    if (extra > 0) {
        ComputedValues::TextAlign align = block->GetComputedValues().text_align;
        if (align == ComputedValues::TEXT_ALIGN_CENTER)
            offset = extra / 2;
        else if (align == ComputedValues::TEXT_ALIGN_RIGHT)
            offset = extra;
    }
    float x = offset;
    for (Fragment& fragment : line) {
        fragment.x = x;
        x += fragment.width;
    }

    float baseline = cursor + above;
    for (const Fragment& fragment : line) {
        Vector2f position(origin.x + fragment.x, origin.y + baseline);
        if (fragment.kind == TEXT) {
            auto* text = static_cast<ElementText*>(fragment.element);
            GetFontMetrics(text, ascent, descent);
            Vector2f top_left(position.x, position.y - ascent);
            Box box(Vector2f(fragment.width, ascent + descent));
            if (text->lines.empty()) {
                text->layout_position = top_left;
                text->SetBox(box);
            } else {
                box.SetOffset(top_left - text->layout_position);
                text->AddBox(box);
            }
            // Lines hold context positions until the layout makes them relative.
            text->AddLine(position, fragment.text);
        } else if (fragment.kind == ATOMIC) {
            Element* element = fragment.element;
            const Box& box = element->boxes[0];
            Vector2f margin_origin =
                element->layout_position -
                Vector2f(box.GetEdge(Box::MARGIN, Box::LEFT), box.GetEdge(Box::MARGIN, Box::TOP));
            Vector2f target(position.x, position.y - box.GetSize(Box::MARGIN).y);
            LayoutEngine::Translate(element, target - margin_origin);
        }
    }
    PlaceInlineBoxes(baseline);

    cursor += above + below;
    line.clear();
    line_x = 0;
    has_content = false;
    break_after = false;
}

void LayoutInline::PlaceInlineBoxes(float baseline) {
    std::vector<Element*> elements;
    for (const Fragment& fragment : line)
        for (Element* element : fragment.inlines)
            if (std::find(elements.begin(), elements.end(), element) == elements.end())
                elements.push_back(element);
    for (Element* element : elements) {
        bool opened = false, closed = false;
        float start = 0, end = 0;
        bool any = false;
        // Elements still open carry on over the next line, with boxes of their own there.
        for (const Fragment& fragment : line) {
            if (std::find(fragment.inlines.begin(), fragment.inlines.end(), element) ==
                    fragment.inlines.end() &&
                fragment.element != element)
                continue;
            float fragment_start = fragment.x, fragment_end = fragment.x + fragment.width;
            if (fragment.element == element && fragment.kind == OPEN) {
                opened = true;
                fragment_start =
                    fragment.x + element->GetComputedValues().margin[Box::LEFT].Resolve(width);
            }
            if (fragment.element == element && fragment.kind == CLOSE) {
                closed = true;
                fragment_end =
                    fragment_end - element->GetComputedValues().margin[Box::RIGHT].Resolve(width);
            }
            start = any ? std::min(start, fragment_start) : fragment_start;
            end = any ? std::max(end, fragment_end) : fragment_end;
            any = true;
        }
        const ComputedValues& values = element->GetComputedValues();
        Box box;
        for (int edge = Box::TOP; edge < Box::NUM_EDGES; ++edge) {
            bool horizontal = edge == Box::LEFT || edge == Box::RIGHT;
            bool shown = !horizontal || (edge == Box::LEFT ? opened : closed);
            if (!shown) continue;
            auto side = static_cast<Box::Edge>(edge);
            box.SetEdge(Box::PADDING, side, std::max(0.0f, values.padding[edge].Resolve(width)));
            box.SetEdge(Box::BORDER, side, values.border_width[edge]);
            if (horizontal) box.SetEdge(Box::MARGIN, side, values.margin[edge].Resolve(width));
        }
        float ascent = 0, descent = 0;
        GetFontMetrics(element, ascent, descent);
        float content_width = std::max(0.0f, end - start - box.GetEdge(Box::BORDER, Box::LEFT) -
                                                 box.GetEdge(Box::PADDING, Box::LEFT) -
                                                 box.GetEdge(Box::BORDER, Box::RIGHT) -
                                                 box.GetEdge(Box::PADDING, Box::RIGHT));
        box.SetContent(Vector2f(content_width, ascent + descent));
        Vector2f border_position(origin.x + start, origin.y + baseline - ascent -
                                                       box.GetEdge(Box::PADDING, Box::TOP) -
                                                       box.GetEdge(Box::BORDER, Box::TOP));
        if (!element->laid_out) {
            element->laid_out = true;
            element->layout_position = border_position;
            element->SetBox(box);
        } else {
            box.SetOffset(border_position - element->layout_position);
            element->AddBox(box);
        }
    }
}

}  // namespace Core
}  // namespace Rocket
