#pragma once

// One vertex normal, input of the vertex-block builder.
struct NormalData {
    float x;
    float y;
    float z;
};
