#pragma once

#include <vector>

#include <boost/shared_ptr.hpp>

#include "graphics/RenderTargetNull.h"

namespace trellin_test {

// A null target that keeps what was drawn and the culling switches, in order.
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

    RecordingTarget() : orvo::RenderTargetNull("RECORDING", 1024, 600) {}

    void drawStaticItem(const boost::shared_ptr<const orvo::Material>& material,
                        const boost::shared_ptr<const orvo::VertexBufferData>& vertices,
                        const boost::shared_ptr<const orvo::VertexIndexBufferData>& indices,
                        const boost::shared_ptr<orvo::ZqMatrix<4, 4>>& world) override {
        Draw draw{material.get(),
                  vertices.get(),
                  indices.get(),
                  world ? *world : orvo::ZqMatrix<4, 4>::ZERO,
                  {},
                  material->shaderName};
        for (int c = 0; c < 4; ++c) {
            draw.colour[c] = material->diffuseColour[c];
        }
        draws.push_back(draw);
        events.push_back(DRAW);
    }
    void enableBackFaceCulling() override { events.push_back(CULL_ON); }
    void disableBackFaceCulling() override { events.push_back(CULL_OFF); }

    enum Event { DRAW, CULL_ON, CULL_OFF };
    std::vector<Draw> draws;
    std::vector<Event> events;
};

}  // namespace trellin_test
