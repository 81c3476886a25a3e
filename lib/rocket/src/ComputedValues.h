#pragma once

#include <Rocket/Core/Font.h>
#include <Rocket/Core/Types.h>

namespace Rocket {
namespace Core {

// A length as the layout needs it: em already turned into pixels.
struct LengthValue {
    enum Type { AUTO, LENGTH, PERCENT, NONE };
    Type type = LENGTH;
    float value = 0;

    bool IsAuto() const { return type == AUTO; }
    // Pixels; percentages of base, auto and none as 0.
    float Resolve(float base) const {
        return type == PERCENT ? value * base / 100.0f : (type == LENGTH ? value : 0.0f);
    }
};

// Keyword values use the order of the keyword lists of PropertyRegistry.
struct ComputedValues {
    enum Display { DISPLAY_NONE, DISPLAY_BLOCK, DISPLAY_INLINE, DISPLAY_INLINE_BLOCK };
    enum Position { POSITION_STATIC, POSITION_RELATIVE, POSITION_ABSOLUTE, POSITION_FIXED };
    enum TextAlign { TEXT_ALIGN_LEFT, TEXT_ALIGN_RIGHT, TEXT_ALIGN_CENTER, TEXT_ALIGN_JUSTIFY };

    Display display = DISPLAY_INLINE;
    Position position = POSITION_STATIC;
    bool visible = true;
    LengthValue top, right, bottom, left;
    LengthValue width, height, min_width, min_height, max_width, max_height;
    // Indexed by Box::Edge.
    LengthValue margin[4];
    LengthValue padding[4];
    float border_width[4] = {0, 0, 0, 0};
    Colourb border_colour[4];
    Colourb background_colour = Colourb(0, 0, 0, 0);
    Colourb colour = Colourb(255, 255, 255, 255);
    String font_family;
    float font_size = 12;
    Font::Style font_style = Font::STYLE_NORMAL;
    Font::Weight font_weight = Font::WEIGHT_NORMAL;
    float line_height = 14.4f;
    // Set when line-height was a bare number: children scale it by their own font size.
    float line_height_factor = 1.2f;
    TextAlign text_align = TEXT_ALIGN_LEFT;
    bool z_index_auto = true;
    float z_index = 0;
    bool tab_index_auto = false;
    bool focusable = true;

    bool IsPositioned() const { return position != POSITION_STATIC; }
    bool IsOutOfFlow() const { return position == POSITION_ABSOLUTE || position == POSITION_FIXED; }
};

}  // namespace Core
}  // namespace Rocket
