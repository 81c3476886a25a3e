#pragma once

// One vertex colour, red first, input of the vertex-block builder.
struct VertexColorData {
    unsigned char r;
    unsigned char g;
    unsigned char b;
    unsigned char a;
};
