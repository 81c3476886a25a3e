#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "core/hash/HashString.h"
#include "core/maths/ZqMaths.h"
#include "core/maths/ZqMatrix.h"
#include "game/model/FurnitureEntityType.h"
#include "game/model/GraphicModelComponentData.h"
#include "game/model/SpatialComponentData.h"
#include "graphics/material/Material.h"
#include "graphics/vertex/VertexBufferData.h"
#include "graphics/vertex/VertexIndexBufferData.h"
#include "tools/data/DataBuild.h"

namespace trellin {

namespace {

const char* const MODEL_SOURCES = "models";

// Every mesh of the game carries these parts.
constexpr uint32_t MESH_FORMAT = orvo::VertexBufferData::POSITION | orvo::VertexBufferData::NORMAL |
                                 orvo::VertexBufferData::TEXCOORD0;

struct Draw {
    std::string buffer;  // the vertex and index block the draw uses
    std::string material;
};

struct Piece {
    std::string name;
    std::vector<Draw> draws;
    SpatialComponentData place;
};

// One model folder being built: the named records and the storage they point into.
struct ModelFolder {
    std::string folder;
    bool spatial = true;
    std::vector<std::string> bufferNames;
    std::map<std::string, Mesh> buffers;
    std::vector<std::string> materialNames;
    std::vector<orvo::Material> materials;
    std::set<std::string> drawnMaterials;
    std::deque<std::vector<TextureSlotData>> slots;
    std::vector<Piece> pieces;
};

std::string componentName(const Piece& piece, const char* kind) { return piece.name + kind; }

void readModel(SectionReader& reader, ModelFolder& model) {
    model.folder = reader.word("folder");
    model.spatial = reader.flag("spatial", true);
}

void readMaterial(SectionReader& reader, DataBuild& build, ModelFolder& model) {
    orvo::Material m;
    m.shaderName = orvo::HashString(reader.word("shader").c_str());
    reader.optionalNumbers("diffuse", m.diffuseColour, 4);
    float specular[2] = {0, 0};
    reader.optionalNumbers("specular", specular, 2);
    m.specularFactor = specular[0];
    m.specularPower = specular[1];
    reader.optionalNumbers("emissive", &m.emissiveLevel, 1);
    model.slots.emplace_back();
    std::vector<TextureSlotData>& slots = model.slots.back();
    const std::vector<std::string> textures =
        reader.has("textures") ? reader.words("textures") : std::vector<std::string>();
    for (const std::string& texture : textures) {
        if (build.textures.count(texture) == 0) {
            reader.fail("texture " + texture + " is in no texture group");
        }
        // The words after the name are what the engine's own materials write.
        slots.push_back(TextureSlotData{orvo::HashString(texture.c_str()), {0, 1, 0, 0, 0, 0, 0}});
    }
    m.textureSlots = orvo::Array<TextureSlotData>::view(slots.data(), slots.size());
    if (!build.materials.insert(reader.name()).second) {
        reader.fail("material " + reader.name() + " is described in another model too");
    }
    model.materialNames.push_back(reader.name());
    model.materials.push_back(m);
}

// A piece draws meshes in its place. A centred piece has its meshes moved so that their
// middle is its origin, and its place moved there instead: it then spins about its own
// middle (explosion pieces).
void readPiece(SectionReader& reader, const DataBuild& build, ModelFolder& model) {
    Piece piece;
    piece.name = reader.name();
    float angles[3] = {0, 0, 0};
    reader.optionalNumbers("position", piece.place.position, 3);
    reader.optionalNumbers("rotation", angles, 3);
    const orvo::ZqMatrix<3, 3> rotation(angles[0] * orvo::ZqMaths::DEGREES_TO_RADIANS,
                                        angles[1] * orvo::ZqMaths::DEGREES_TO_RADIANS,
                                        angles[2] * orvo::ZqMaths::DEGREES_TO_RADIANS);
    for (int i = 0; i < 9; ++i) {
        piece.place.rotation[i] = rotation[i];
    }
    const bool centred = reader.flag("centre", false);
    std::vector<std::pair<std::string, const Mesh*>> meshes;
    Mesh whole;
    for (const SourceEntry* e : reader.all("draw")) {
        if (e->values.size() != 2) {
            reader.fail("draw takes a mesh and a material", e->line);
            continue;
        }
        const auto mesh = build.meshes.find(e->values[0]);
        if (mesh == build.meshes.end()) {
            reader.fail("mesh " + e->values[0] + " is not described", e->line);
            continue;
        }
        whole.append(mesh->second);
        meshes.push_back({e->values[0], &mesh->second});
        piece.draws.push_back(Draw{e->values[0], e->values[1]});
        model.drawnMaterials.insert(e->values[1]);
    }
    if (piece.draws.empty()) {
        reader.fail("a piece draws at least one mesh");
    }
    const Vec3 middle = centred ? whole.centroid() : Vec3{0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        piece.place.position[i] += i == 0 ? middle.x : i == 1 ? middle.y : middle.z;
    }
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        Mesh mesh = *meshes[i].second;
        if (centred) {
            mesh.translate(middle * -1.0f);
            piece.draws[i].buffer += "@" + piece.name;
        }
        if (model.buffers.emplace(piece.draws[i].buffer, mesh).second) {
            model.bufferNames.push_back(piece.draws[i].buffer);
        }
    }
    model.pieces.push_back(piece);
}

template <class T>
bool addSet(DataBuild& build, const ModelFolder& model, const std::vector<std::string>& names,
            const T* records, std::string& error) {
    const std::string stem =
        staticObjectStem(std::string(DATA_FOLDER) + model.folder, orvo::StaticRecord<T>::TYPE_NAME);
    StaticObjectFiles files;
    if (!DataBuild::uniqueNames(names, stem, error) ||
        !buildStaticObjects(names, records, names.size(), files, error)) {
        return false;
    }
    build.addStaticObjects(stem, files);
    return true;
}

bool writeModel(DataBuild& build, const ModelFolder& model, std::string& error) {
    const std::size_t bufferCount = model.bufferNames.size();
    std::deque<Bytes> vertexBytes;
    std::unique_ptr<orvo::VertexBufferData[]> vertices(new orvo::VertexBufferData[bufferCount]);
    std::unique_ptr<orvo::VertexIndexBufferData[]> indices(
        new orvo::VertexIndexBufferData[bufferCount]);
    for (std::size_t i = 0; i < bufferCount; ++i) {
        const Mesh& mesh = model.buffers.at(model.bufferNames[i]);
        vertexBytes.emplace_back();
        Bytes& bytes = vertexBytes.back();
        for (const MeshVertex& v : mesh.vertices) {
            const float parts[8] = {v.position.x, v.position.y, v.position.z, v.normal.x,
                                    v.normal.y,   v.normal.z,   v.u,          v.v};
            for (float f : parts) {
                uint32_t word = 0;
                std::memcpy(&word, &f, sizeof(word));
                putU32(bytes, word);
            }
        }
        orvo::VertexBufferData& block = vertices[i];
        block.formatFlags = MESH_FORMAT;
        block.vertexCount = uint32_t(mesh.vertices.size());
        block.stride = orvo::VertexBufferData::strideOf(MESH_FORMAT);
        block.dataSize = uint32_t(bytes.size());
        block.data = bytes.data();
        indices[i].indices = orvo::Array<unsigned short>::view(
            const_cast<unsigned short*>(mesh.indices.data()), mesh.indices.size());
    }

    std::vector<std::string> pieceNames, graphicNames, spatialNames;
    std::deque<std::vector<orvo::HashString>> idLists;
    std::vector<GraphicModelComponentData> graphics(model.pieces.size());
    std::vector<SpatialComponentData> places;
    std::vector<FurnitureEntityType> entities(model.pieces.size());
    const auto view = [&idLists](std::vector<orvo::HashString> ids) {
        idLists.push_back(ids);
        return orvo::Array<orvo::HashString>::view(idLists.back().data(), idLists.back().size());
    };
    for (std::size_t i = 0; i < model.pieces.size(); ++i) {
        const Piece& piece = model.pieces[i];
        std::vector<orvo::HashString> buffers, materials;
        for (const Draw& d : piece.draws) {
            buffers.push_back(orvo::HashString(d.buffer.c_str()));
            materials.push_back(orvo::HashString(d.material.c_str()));
        }
        graphics[i].vertexBuffers = view(buffers);
        graphics[i].indexBuffers = view(buffers);
        graphics[i].materials = view(materials);
        pieceNames.push_back(piece.name);
        graphicNames.push_back(componentName(piece, "_graphic"));
        spatialNames.push_back(componentName(piece, "_spatial"));
        places.push_back(piece.place);
        entities[i].entityId = orvo::HashString(piece.name.c_str());
        entities[i].spatialComponentId = orvo::HashString(spatialNames.back().c_str());
        entities[i].graphicComponentId = orvo::HashString(graphicNames.back().c_str());
    }
    return addSet(build, model, model.bufferNames, vertices.get(), error) &&
           addSet(build, model, model.bufferNames, indices.get(), error) &&
           addSet(build, model, model.materialNames, model.materials.data(), error) &&
           addSet(build, model, graphicNames, graphics.data(), error) &&
           (!model.spatial || addSet(build, model, spatialNames, places.data(), error)) &&
           addSet(build, model, pieceNames, entities.data(), error);
}

}  // namespace

// data/models/*.txt: each file is one model folder, a [model name] header (its folder under
// the data folder and whether it places its pieces) with the [material name] and
// [piece name] sections of the folder. A piece is one entity of the folder: its draws (mesh
// and material, in order), position and rotation (degrees about X, Y, Z).
bool buildModels(DataBuild& build, std::string& error) {
    std::vector<SourceDocument> documents;
    if (!build.readDocuments(MODEL_SOURCES, documents, error)) {
        return false;
    }
    for (const SourceDocument& document : documents) {
        ModelFolder model;
        const std::vector<SourceSection>& sections = document.sections();
        for (std::size_t i = 0; i < sections.size(); ++i) {
            SectionReader reader(sections[i], document.fileName());
            const std::string& kind = sections[i].kind;
            if ((i == 0) != (kind == "model")) {
                reader.fail("a model file begins with its one [model name]");
            } else if (kind == "model") {
                readModel(reader, model);
            } else if (kind == "material") {
                readMaterial(reader, build, model);
            } else if (kind == "piece") {
                readPiece(reader, build, model);
            } else {
                reader.fail("a model file holds [material name] and [piece name] sections");
            }
            if (!reader.finish(error)) {
                return false;
            }
        }
        for (const std::string& name : model.materialNames) {
            if (model.drawnMaterials.erase(name) == 0) {
                error = document.fileName() + ": material " + name + " is not drawn";
                return false;
            }
        }
        if (!model.drawnMaterials.empty()) {
            error = document.fileName() + ": material " + *model.drawnMaterials.begin() +
                    " is drawn but not described";
            return false;
        }
        if (model.pieces.empty()) {
            error = document.fileName() + ": a model has at least one piece";
            return false;
        }
        if (!writeModel(build, model, error)) {
            error = document.fileName() + ": " + error;
            return false;
        }
    }
    return true;
}

}  // namespace trellin
