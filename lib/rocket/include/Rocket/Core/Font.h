#pragma once

namespace Rocket {
namespace Core {
namespace Font {

enum Style { STYLE_NORMAL = 0, STYLE_ITALIC = 1 };
enum Weight { WEIGHT_NORMAL = 0, WEIGHT_BOLD = 1 };

}  // namespace Font
}  // namespace Core
}  // namespace Rocket
