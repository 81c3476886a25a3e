#pragma once

namespace Rocket {
namespace Core {

template <typename ColourType, int AlphaDefault>
class Colour {
public:
    Colour(ColourType red_ = 0, ColourType green_ = 0, ColourType blue_ = 0,
           ColourType alpha_ = AlphaDefault)
        : red(red_), green(green_), blue(blue_), alpha(alpha_) {}

    bool operator==(const Colour& other) const {
        return red == other.red && green == other.green && blue == other.blue &&
               alpha == other.alpha;
    }
    bool operator!=(const Colour& other) const { return !(*this == other); }

    ColourType red, green, blue, alpha;
};

}  // namespace Core
}  // namespace Rocket
