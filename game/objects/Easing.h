#pragma once

// The part of the remaining way an easing covers in one frame, given k = dt x its rate: a long
// frame reaches the target rather than passing it (a part above 1 overshoots, above 2 diverges).
inline float easingPart(float k) { return k > 1.0f ? 1.0f : k; }
