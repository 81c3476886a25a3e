#include <cmath>

#include "core/maths/ZqMaths.h"
#include "core/maths/ZqMatrix.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/ZqVectorOps.h"
#include "tests/tools/GameDataFixture.h"

using namespace orvo;

namespace {

constexpr float MAX_SPEED = 55.0f;
constexpr float MAX_Z_CURVATURE = 900.0f;
constexpr float LANE_Z[4] = {3.0f, 1.0f, -1.0f, -3.0f};
constexpr int LIVE_TILES = 7;

ZqMatrix<4, 4> translation(const ZqVector<3>& at) {
    ZqMatrix<4, 4> m;
    m[3] = at.x;
    m[7] = at.y;
    m[11] = at.z;
    return m;
}

// A piece's flight after an explosion, as the craft's kill gives it: a velocity with x and z
// in [-1.5, 1.5] and y in [0.1, 1.5], also used as its spin. Fixed per piece here.
ZqVector<3> pieceVelocity(std::size_t piece) {
    const float a = std::sin(float(piece) * 12.9898f + 1.0f) * 0.5f + 0.5f;
    const float b = std::sin(float(piece) * 78.233f + 2.0f) * 0.5f + 0.5f;
    const float c = std::sin(float(piece) * 39.425f + 3.0f) * 0.5f + 0.5f;
    return ZqVector<3>(-1.5f + 3.0f * a, 0.1f + 1.4f * b, -1.5f + 3.0f * c);
}

// Draws a model whose pieces have flown apart for the given seconds.
void renderExploded(const GameModel& model, const ZqMatrix<4, 4>& world, float seconds) {
    for (std::size_t i = 0; i < model.pieces.size(); ++i) {
        const ZqMatrix<4, 4>& loaded = model.pieces[i].transform;
        const ZqVector<3> v = pieceVelocity(i);
        float x = 0, y = 0, z = 0;
        loaded.getEulerAngles(x, y, z);
        ZqMatrix<4, 4> moved(x + v.x * seconds, y + v.y * seconds, z + v.z * seconds);
        moved[3] = loaded[3] + v.x * seconds;
        moved[7] = loaded[7] + v.y * seconds;
        moved[11] = loaded[11] + v.z * seconds;
        model.renderPiece(i, world * moved);
    }
}

}  // namespace

float GameDataTest::tileCentre(float playerX, int k) {
    // The craft stands on the chain's second tile.
    const float own = -19.0f * std::round(-playerX / 19.0f);
    return own - 19.0f * float(k - 1);
}

void GameDataTest::placeCamera(const Shot& shot) {
    const ZqVector<3> p = shot.player;
    ZqVector<3> position;
    ZqVector<3> look;
    switch (shot.camera) {
        case TITLE_CAMERA:
            position = p + ZqVector<3>(2.0f, 0.5f, -1.5f);
            look = p + ZqVector<3>(-16.0f, 0.0f, 0.0f);
            break;
        case CRASH_CAMERA:
            position = p + ZqVector<3>(-1.0f, 0.6f, 4.0f);
            look = p + ZqVector<3>(-16.0f, 1.0f, 0.0f);
            break;
        case PLAYING_CAMERA:
            position = p + ZqVector<3>(3.0f, 1.5f, 0.0f);
            look = p + ZqVector<3>(-16.0f, 1.0f, 0.0f);
            break;
    }
    // The game adds the offset to its look point every frame, so once settled the camera
    // looks along that offset.
    ZqVector<3> forward = look - position;
    forward.normalize();
    ZqVector<3> right = forward.cross(ZqVector<3>::UNIT_Y);
    right.normalize();
    ZqVector<3> up = right.cross(forward);
    up.normalize();
    camera_.reset(new GraphicsCamera(45.0f, 1.7777778f, 0.1f, -10000.0f, ZqVector<3>(),
                                     ZqVector<3>(0, 0, -1), ZqVector<3>::UNIT_Y, ZqVector<3>(),
                                     9.0f));
    camera_->setDisplayAspectRatio(float(WIDTH) / float(HEIGHT));
    const float speed = shot.camera == TITLE_CAMERA ? 5.0f : shot.speed;
    camera_->setFieldOfView(60.0f + 25.0f * speed / MAX_SPEED);
    camera_->setAll(position, forward, up, look - position, 0.0f);
    const float degrees = ZqMaths::DEGREES_TO_RADIANS;
    switch (shot.camera) {
        case TITLE_CAMERA:
            camera_->rotateX(-30.0f * degrees);
            break;
        case CRASH_CAMERA:
            camera_->rotateY(-50.0f * degrees);
            break;
        case PLAYING_CAMERA:
            camera_->rotateX(-60.0f * degrees * shot.curvatureZ / MAX_Z_CURVATURE);
            break;
    }
    GraphicsSystem::instance_->setCamera(camera_);
}

Screenshot GameDataTest::render(const Shot& shot) {
    scene.curvatureZ = shot.curvatureZ;
    placeCamera(shot);
    RenderTarget& t = target();
    t.setBackgroundClearColor(ZqColorRoot<float>{0.0f, 0.0f, 0.0f, 0.0f});
    t.startFrame();

    // The sky around the camera, turning slowly, behind everything.
    t.disableDepthTestRead();
    ZqMatrix<4, 4> sky = translation(camera_->position);
    const float c = std::cos(shot.skyAngle), s = std::sin(shot.skyAngle);
    const ZqMatrix<4, 4> turn(c, -s, 0, 0, s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    model(SKY_MODEL).render(sky * turn);
    t.enableDepthTestRead();

    if (shot.drawTiles) {
        const GameModel& tiles = model(TILE_SET);
        for (int k = 0; k < LIVE_TILES; ++k) {
            for (int lane = 0; lane < 4; ++lane) {
                ZqMatrix<4, 4> m =
                    translation(ZqVector<3>(tileCentre(shot.player.x, k), 0.0f, LANE_Z[lane]));
                m[0] = 1.3f;
                tiles.renderPiece(std::size_t(tiles.findPiece(LANE_ENTITIES[lane])), m);
            }
        }
    }
    GraphicsSystem::instance_->enableAlphaBlending();
    drawObjects(shot);
    GraphicsSystem::instance_->disableAlphaBlending();
    const Screenshot shotPixels = Screenshot::capture(WIDTH, HEIGHT);
    t.endFrame();
    return shotPixels;
}

void GameDataTest::drawObjects(const Shot& shot) {
    RenderTarget& t = target();
    const bool exploded = shot.explosionSeconds > 0.0f;
    t.enableBackFaceCulling();
    if (shot.drawPlayer) {
        const float c = std::cos(shot.roll), s = std::sin(shot.roll);
        ZqMatrix<4, 4> craft(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
        craft[3] = shot.player.x;
        craft[7] = shot.player.y;
        craft[11] = shot.player.z;
        if (exploded) {
            renderExploded(model(SHIP_EXPLOSION), craft, shot.explosionSeconds);
        } else {
            model(SHIP_MODEL).render(craft);
        }
    }
    for (const ZqVector<3>& enemy : shot.enemies) {
        if (exploded) {
            renderExploded(model(ENEMY_EXPLOSION), translation(enemy), shot.explosionSeconds);
        } else {
            model(ENEMY_MODEL).render(translation(enemy));
        }
    }
    t.disableBackFaceCulling();
    if (shot.drawWalls) {
        for (const ZqVector<3>& wall : shot.walls) {
            model(WALL_MODEL).render(translation(wall));
        }
    }
    model(BANNER_MODEL).render(translation(ZqVector<3>(shot.bannerX, 0.0f, 0.0f)));
    if (shot.powerup) {
        model(POWERUP_MODEL).render(translation(shot.powerupAt));
    }
}

bool GameDataTest::project(const ZqVector<3>& point, float& x, float& y) const {
    ZqMatrix<4, 4> view, projection;
    const boost::shared_ptr<RenderTarget> t = GraphicsSystem::instance_->getCurrentRenderTarget();
    t->getViewMatrix(view);
    t->getProjectionMatrix(projection);
    // The stored matrices are in upload order: a point is a row multiplied from the left.
    const ZqMatrix<4, 4> viewProjection = view * projection;
    const auto toClip = [&viewProjection](const ZqVector<3>& p, float* clip) {
        const float row[4] = {p.x, p.y, p.z, 1.0f};
        for (int column = 0; column < 4; ++column) {
            clip[column] = 0.0f;
            for (int k = 0; k < 4; ++k) {
                clip[column] += row[k] * viewProjection(k, column);
            }
        }
    };
    float clip[4];
    toClip(point, clip);
    if (clip[3] <= 0.0f) {
        return false;
    }
    // The bend of the world shaders (data/shaders/include/curvature.glsl).
    const float b = clip[3] * clip[3] * scene.curvatureFactor * 0.0000005f;
    toClip(point + ZqVector<3>(0.0f, -b, -b * scene.curvatureZ * (1.0f / 300.0f)), clip);
    if (clip[3] <= 0.0f) {
        return false;
    }
    x = (clip[0] / clip[3] + 1.0f) * 0.5f * float(WIDTH);
    y = (clip[1] / clip[3] + 1.0f) * 0.5f * float(HEIGHT);
    return true;
}
