#include "tests/tools/SceneUpdaters.h"

#include <functional>

#include "core/maths/ZqMatrix.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/material/Material.h"
#include "graphics/shader/ShaderCache.h"
#include "graphics/shader/ShaderParameterUpdater.h"

using namespace orvo;

namespace {

typedef boost::shared_ptr<ZqMatrix<4, 4>> World;
typedef boost::shared_ptr<const Material> MaterialPtr;

template <class T>
class SceneUpdater : public ShaderParameterUpdater<T> {
public:
    typedef std::function<void(const World&, const MaterialPtr&, T&)> Compute;

    SceneUpdater(const char* name, uint32_t cacheKind, Compute compute)
        : ShaderParameterUpdater<T>(HashString(name), cacheKind), compute_(compute) {}

    void update(World world, MaterialPtr material) override {
        compute_(world, material, this->value_);
    }

private:
    Compute compute_;
};

ZqMatrix<4, 4> transposed(const ZqMatrix<4, 4>& m) {
    ZqMatrix<4, 4> t;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            t(row, column) = m(column, row);
        }
    }
    return t;
}

const LightData* findLight(const char* name) {
    const HashString id(name);
    for (const auto& entry :
         GraphicsSystem::instance_->getLightManager()->getDynamicStore().index) {
        if (entry.id == id) {
            return entry.record.get();
        }
    }
    return nullptr;
}

template <class T>
void add(SceneUpdaterList& list, const char* name, uint32_t kind,
         typename SceneUpdater<T>::Compute compute) {
    boost::shared_ptr<BaseShaderParameterUpdater> updater(new SceneUpdater<T>(name, kind, compute));
    ShaderCache::instance_->addUpdater(updater);
    list.push_back(updater);
}

void addLight(SceneUpdaterList& list, const char* colourUniform, const char* directionUniform,
              const char* light) {
    add<ZqVector<4>>(
        list, colourUniform, 1, [light](const World&, const MaterialPtr&, ZqVector<4>& v) {
            const LightData* l = findLight(light);
            v = l != nullptr ? ZqVector<4>(l->values[0], l->values[1], l->values[2], l->values[3])
                             : ZqVector<4>(1, 1, 1, 1);
        });
    add<ZqVector<4>>(list, directionUniform, 2,
                     [light](const World&, const MaterialPtr&, ZqVector<4>& v) {
                         const LightData* l = findLight(light);
                         v = l != nullptr ? ZqVector<4>(l->values[7], l->values[8], l->values[9], 0)
                                          : ZqVector<4>(0, 0, 1, 1);
                     });
}

}  // namespace

SceneUpdaterList registerSceneUpdaters(const SceneValues& scene) {
    SceneUpdaterList list;
    const SceneValues* s = &scene;
    add<ZqMatrix<4, 4>>(list, "u_transform", 0,
                        [](const World& w, const MaterialPtr&, ZqMatrix<4, 4>& m) {
                            m = w ? *w : ZqMatrix<4, 4>::IDENTITY;
                        });
    // The render target's own matrix for the draw, which it works out before the uniforms.
    add<ZqMatrix<4, 4>>(
        list, "u_modelViewProj", 0, [](const World&, const MaterialPtr&, ZqMatrix<4, 4>& m) {
            GraphicsSystem::instance_->getCurrentRenderTarget()->getModelViewProjectionMatrix(m);
        });
    add<float>(list, "u_emissiveLevel", 0,
               [](const World&, const MaterialPtr& m, float& v) { v = m->emissiveLevel; });
    add<ZqVector<3>>(
        list, "u_materialDiffuseColor", 0, [](const World&, const MaterialPtr& m, ZqVector<3>& v) {
            v = ZqVector<3>(m->diffuseColour[0], m->diffuseColour[1], m->diffuseColour[2]);
        });
    add<float>(list, "u_materialSpecularFactor", 0,
               [](const World&, const MaterialPtr& m, float& v) { v = m->specularFactor; });
    add<float>(list, "u_materialSpecularPower", 0,
               [](const World&, const MaterialPtr& m, float& v) { v = m->specularPower; });
    add<ZqMatrix<4, 4>>(list, "u_worldInverseTranspose", 0,
                        [](const World& w, const MaterialPtr&, ZqMatrix<4, 4>& m) {
                            ZqMatrix<4, 4> inverse = w ? *w : ZqMatrix<4, 4>::IDENTITY;
                            inverse.invert();
                            m = transposed(inverse);
                        });
    add<ZqVector<3>>(list, "u_ambientLightColor", 1,
                     [](const World&, const MaterialPtr&, ZqVector<3>& v) {
                         const LightData* l = findLight("ambientLight");
                         v = l != nullptr ? ZqVector<3>(l->values[0], l->values[1], l->values[2])
                                          : ZqVector<3>(1, 1, 1);
                     });
    addLight(list, "u_diffuseLight1Color", "u_diffuseLight1Direction", "diffuseLight");
    addLight(list, "u_diffuseLight2Color", "u_diffuseLight2Direction", "diffuseLight2");
    addLight(list, "u_diffuseLight3Color", "u_diffuseLight3Direction", "diffuseLight3");
    add<float>(list, "u_curvatureFactor", 2,
               [s](const World&, const MaterialPtr&, float& v) { v = s->curvatureFactor; });
    add<float>(list, "u_curvatureZFactor", 2,
               [s](const World&, const MaterialPtr&, float& v) { v = s->curvatureZ; });
    add<ZqVector<3>>(list, "u_airCraftBodyColor", 0,
                     [s](const World&, const MaterialPtr&, ZqVector<3>& v) { v = s->bodyColour; });
    add<ZqVector<3>>(
        list, "u_airCraftSymbolColor", 0,
        [s](const World&, const MaterialPtr&, ZqVector<3>& v) { v = s->symbolColour; });
    return list;
}
