#pragma once

// One pair of texture coordinates, input of the vertex-block builder.
struct TextureCoordinateData {
    float u;
    float v;
};
