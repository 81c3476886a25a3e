#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/data/StaticRecord.h"
#include "game/model/FurnitureEntityType.h"
#include "game/model/GraphicModelComponentData.h"
#include "game/model/SpatialComponentData.h"
#include "graphics/material/Material.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexIndexBufferData.h"
#include "tests/core/file/TempDirectory.h"
#include "tools/datawriter/StaticObjectWriter.h"

namespace trellin_test {

// Writes one record set of a model folder (names[i] names records[i]) under the directory.
template <class T>
void writeRecordSet(const TempDirectory& dir, const std::string& folder,
                    const std::vector<std::string>& names, const T* records) {
    trellin::StaticObjectFiles files;
    std::string error;
    ASSERT_TRUE(trellin::buildStaticObjects(names, records, names.size(), files, error)) << error;
    const std::string stem =
        trellin::staticObjectStem(dir / folder, orvo::StaticRecord<T>::TYPE_NAME);
    ASSERT_TRUE(trellin::writeStaticObjects(stem, files, error)) << error;
}

// A model of one piece at the origin drawing one block with one material; its entity is
// named entity.
inline void writeOnePieceModel(const TempDirectory& dir, const std::string& folder,
                               const char* entity = "e") {
    orvo::VertexBufferData vertices[1];
    vertices[0].formatFlags = orvo::VertexBufferData::POSITION;
    writeRecordSet(dir, folder, {"vb"}, vertices);
    orvo::VertexIndexBufferData indices[1];
    indices[0].indices.pushBack(0);
    writeRecordSet(dir, folder, {"ib"}, indices);
    orvo::Material materials[1];
    writeRecordSet(dir, folder, {"mat"}, materials);
    GraphicModelComponentData graphic;
    graphic.vertexBuffers.pushBack(orvo::HashString("vb"));
    graphic.indexBuffers.pushBack(orvo::HashString("ib"));
    graphic.materials.pushBack(orvo::HashString("mat"));
    writeRecordSet(dir, folder, {"g"}, &graphic);
    SpatialComponentData spatial;
    writeRecordSet(dir, folder, {"s"}, &spatial);
    FurnitureEntityType record = {orvo::HashString(entity), 0, orvo::HashString("s"), 0,
                                  orvo::HashString("g"),    0};
    writeRecordSet(dir, folder, {entity}, &record);
}

}  // namespace trellin_test
