#pragma once

#include <vector>

#include <boost/shared_ptr.hpp>

#include "graphics/RenderTargetNull.h"
#include "graphics/camera/GraphicsCamera.h"

namespace trellin_test {

// A null target that keeps, in order, what was drawn and the state it was drawn with: the
// culling, depth-read and blending switches and each camera set with its orientation then.
class RecordingTarget : public orvo::RenderTargetNull {
public:
    struct Draw {
        const orvo::Material* material;
        const orvo::VertexBufferData* vertices;
        const orvo::VertexIndexBufferData* indices;
        orvo::ZqMatrix<4, 4> world;
        // The first four floats and the shader of the material as drawn.
        float colour[4];
        orvo::HashString shader;
    };
    // A camera as it stood when it was set.
    struct CameraSet {
        const orvo::GraphicsCamera* camera;
        orvo::ZqVector<3> position;
        orvo::ZqVector<3> direction;
        orvo::ZqVector<3> up;
    };
    enum Event {
        DRAW,
        CULL_ON,
        CULL_OFF,
        DEPTH_READ_ON,
        DEPTH_READ_OFF,
        BLEND_ON,
        BLEND_OFF,
        CAMERA,
    };

    RecordingTarget() : orvo::RenderTargetNull("RECORDING", 1024, 600) {}

    void drawStaticItem(const boost::shared_ptr<const orvo::Material>& material,
                        const boost::shared_ptr<const orvo::VertexBufferData>& vertices,
                        const boost::shared_ptr<const orvo::VertexIndexBufferData>& indices,
                        const boost::shared_ptr<orvo::ZqMatrix<4, 4>>& world) override {
        record(material, vertices, indices, world);
    }
    // The UI draws its untextured shapes this way.
    void drawDynamicItem(const boost::shared_ptr<const orvo::Material>& material,
                         const boost::shared_ptr<const orvo::VertexBufferData>& vertices,
                         const boost::shared_ptr<const orvo::VertexIndexBufferData>& indices,
                         const boost::shared_ptr<orvo::ZqMatrix<4, 4>>& world) override {
        record(material, vertices, indices, world);
    }
    void setCamera(const boost::shared_ptr<orvo::GraphicsCamera>& camera) override {
        if (camera) {
            cameras.push_back({camera.get(), camera->position, camera->direction, camera->up});
            events.push_back(CAMERA);
        }
    }
    void enableBackFaceCulling() override { events.push_back(CULL_ON); }
    void disableBackFaceCulling() override { events.push_back(CULL_OFF); }
    void enableDepthTestRead() override { events.push_back(DEPTH_READ_ON); }
    void disableDepthTestRead() override { events.push_back(DEPTH_READ_OFF); }
    void enableAlphaBlending() override { events.push_back(BLEND_ON); }
    void disableAlphaBlending() override { events.push_back(BLEND_OFF); }

    void clear() {
        draws.clear();
        cameras.clear();
        events.clear();
    }

    std::vector<Draw> draws;
    std::vector<CameraSet> cameras;
    std::vector<Event> events;

private:
    void record(const boost::shared_ptr<const orvo::Material>& material,
                const boost::shared_ptr<const orvo::VertexBufferData>& vertices,
                const boost::shared_ptr<const orvo::VertexIndexBufferData>& indices,
                const boost::shared_ptr<orvo::ZqMatrix<4, 4>>& world) {
        Draw draw{material.get(),
                  vertices.get(),
                  indices.get(),
                  world ? *world : orvo::ZqMatrix<4, 4>::ZERO,
                  {},
                  material ? material->shaderName : orvo::HashString()};
        for (int c = 0; material && c < 4; ++c) {
            draw.colour[c] = material->diffuseColour[c];
        }
        draws.push_back(draw);
        events.push_back(DRAW);
    }
};

}  // namespace trellin_test
