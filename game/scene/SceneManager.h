#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/locator/ServiceSingleton.h"
#include "core/maths/ZqMatrix.h"

namespace orvo {
class GraphicsCamera;
}
class GraphicModel;
class ObjectManager;
class TileManager;

// The 3D scene: sky, cameras, track and objects. Each frame it drives the track and the
// objects, widens the view with speed and bends the track sideways (the Z curvature the
// shaders read).
class SceneManager : public orvo::Locator::ServiceSingleton<SceneManager> {
public:
    static constexpr float CURVATURE_FACTOR = 1400.0f;
    static constexpr float MINIMUM_Z_CURVATURE = -900.0f;

    SceneManager();
    ~SceneManager() override;

    void initialise();
    void destroy();

    void laneModeUpdateScene();
    void laneModeRenderScene();
    void laneModeRenderSceneAlphas();
    void resetSceneCurvatures();

    const boost::shared_ptr<orvo::GraphicsCamera>& getUiCamera() const { return uiCamera; }
    const boost::shared_ptr<orvo::GraphicsCamera>& getSceneCamera() const { return sceneCamera; }
    const boost::shared_ptr<TileManager>& getTileManager() const { return tileManager; }
    const boost::shared_ptr<ObjectManager>& getObjectManager() const { return objectManager; }

    bool isInitialised() const { return initialised != 0; }
    float getCurvatureFactor() const { return curvatureFactor; }
    float getZCurvature() const { return zCurvature; }
    float getZTarget() const { return zTarget; }
    bool isZTargetActive() const { return zTargetActive != 0; }
    float getMaximumZCurvature() const { return maximumZCurvature; }
    float getMinimumZCurvature() const { return minimumZCurvature; }

    // The bend's step of one frame, after the objects moved (distance: the player's).
    void updateCurvature(uint32_t distance, bool onTitle);

private:
    uint8_t initialised;
    uint8_t zTargetActive;
    float curvatureFactor;
    float zCurvature;
    float zTarget;
    float maximumZCurvature;
    float minimumZCurvature;
    boost::shared_ptr<orvo::GraphicsCamera> uiCamera;
    boost::shared_ptr<orvo::GraphicsCamera> sceneCamera;
    boost::shared_ptr<TileManager> tileManager;
    boost::shared_ptr<ObjectManager> objectManager;
    boost::shared_ptr<GraphicModel> skyModel;
    boost::shared_ptr<orvo::ZqMatrix<4, 4>> skyMatrix;
    float skyAngle;
};
