#pragma once

#include <vector>

#include "core/maths/ZqMaths.h"
#include "core/maths/ZqVector.h"

namespace trellin_test {

// The walls of the first four populated tiles of a run, worked out from the generator after
// the run's reseed with 1337: tiles 3 to 6 lie at x = -57, -76, -95, -114 and, this early in the
// run, each takes two rows: a lane from a draw of 0 to 4 (none above 4), then a draw that picks
// enemies only later in the run and a place along the tile from a draw of 0 to 3. Listed tile by
// tile and lane by lane, as the tiles hold them. Leaves the generator where these draws left it.
inline std::vector<orvo::ZqVector<3>> seedTrackWalls() {
    using orvo::ZqMaths;
    ZqMaths::setRandomSeed(1337);
    std::vector<orvo::ZqVector<3>> walls;
    for (int tile = 3; tile <= 6; ++tile) {
        std::vector<orvo::ZqVector<3>> lanes[4];
        for (int row = 0; row < 2; ++row) {
            const float b = ZqMaths::intervalRandom(0, 4);
            if (b > 4.0f) {
                continue;
            }
            const int lane = b <= 1.0f ? 0 : static_cast<int>(ZqMaths::ceiling(b)) - 1;
            ZqMaths::intervalRandom(0, 6);
            const float p = ZqMaths::intervalRandom(0, 3);
            lanes[lane].push_back(
                orvo::ZqVector<3>(-19.0f * static_cast<float>(tile) + 9.5f - 4.75f * p, 0.0f,
                                  3.0f - 2.0f * static_cast<float>(lane)));
        }
        for (const auto& lane : lanes) {
            walls.insert(walls.end(), lane.begin(), lane.end());
        }
    }
    return walls;
}

}  // namespace trellin_test
