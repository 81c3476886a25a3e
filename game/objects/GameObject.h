#pragma once

#include <cstdint>

#include "core/maths/ZqVector.h"

// Base of the world's moving objects: a position and a travel direction on the X/Z plane.
class GameObject {
public:
    enum GameWorldDirection : int32_t {
        TOWARDS_NEGATIVE_X = 0,
        TOWARDS_POSITIVE_X = 1,
        TOWARDS_NEGATIVE_Z = 2,
        TOWARDS_POSITIVE_Z = 3,
    };

    GameObject() : direction(TOWARDS_NEGATIVE_X) {}
    virtual ~GameObject() {}

    virtual void setPosition(const orvo::ZqVector<3>& newPosition) { position = newPosition; }
    virtual void render() = 0;

    GameWorldDirection direction;
    orvo::ZqVector<3> position;
};
