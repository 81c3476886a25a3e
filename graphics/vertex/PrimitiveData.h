#pragma once

// One vertex position, input of the vertex-block builder.
struct PrimitiveData {
    float x;
    float y;
    float z;
};
