#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/model/FurnitureEntityType.h"
#include "game/model/GraphicModel.h"
#include "game/model/GraphicModelComponentData.h"
#include "game/model/SharedMatrix.h"
#include "game/model/SpatialComponentData.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/RenderTargetNull.h"
#include "graphics/material/MaterialManager.h"
#include "tests/fuzz/files/FuzzArchive.h"
#include "tools/datawriter/StaticObjectWriter.h"

using namespace orvo;

namespace {

void registerServices() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    Locator::registerService<GraphicsSystem>("GraphicsSystem");
    Locator::registerService<MaterialManager>("MaterialManager");
    GraphicsSystem::instance_->setCurrentRenderTarget(
        boost::shared_ptr<RenderTarget>(new RenderTargetNull("NULL", 1024, 600)));
}

template <class T>
std::string stem() {
    return trellin::staticObjectStem("M", StaticRecord<T>::TYPE_NAME);
}

}  // namespace

// The input is split into the files of a model folder's three piece sets: the entities'
// records and names, the spatial records and names, and the graphic records, names and
// array pair.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    registerServices();
    const std::vector<trellin::Bytes> files = trellin_fuzz::splitInput(data, size, 8);
    const std::string entities = stem<FurnitureEntityType>();
    const std::string spatial = stem<SpatialComponentData>();
    const std::string graphic = stem<GraphicModelComponentData>();
    std::vector<trellin::PakMember> members = {
        {entities + ".objects", files[0]},   {entities + ".ids", files[1]},
        {spatial + ".objects", files[2]},    {spatial + ".ids", files[3]},
        {graphic + ".objects", files[4]},    {graphic + ".ids", files[5]},
        {graphic + ".array_data", files[6]}, {graphic + ".array_fixup", files[7]},
    };
    trellin::Bytes image;
    std::string error;
    trellin::buildPak(members, image, error);
    trellin_fuzz::FuzzArchive archive(image);
    GraphicModel model;
    model.loadGraphicData("M/", HashString("FUZZ_GROUP"));
    for (std::size_t i = 0; i < model.getPieceCount() + 1; ++i) {
        model.addTransformVelocity(ZqVector<3>(1, 2, 3), ZqVector<3>(0.5f, 0.25f, 0.125f));
    }
    model.render(makeSharedMatrix());
    model.resetTransforms();
    return 0;
}
