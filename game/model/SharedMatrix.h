#pragma once

#include <boost/shared_ptr.hpp>

#include "core/maths/ZqMatrix.h"
#include "core/memory/ZequinAllocation.h"

// A new matrix in the game's category 0, held by a shared pointer; empty when memory ran out.
inline boost::shared_ptr<orvo::ZqMatrix<4, 4>> makeSharedMatrix(
    const orvo::ZqMatrix<4, 4>& value = orvo::ZqMatrix<4, 4>::IDENTITY) {
    orvo::ZqMatrix<4, 4>* matrix = new (0, ZequinAllocation) orvo::ZqMatrix<4, 4>(value);
    if (matrix == nullptr) {
        return boost::shared_ptr<orvo::ZqMatrix<4, 4>>();
    }
    return boost::shared_ptr<orvo::ZqMatrix<4, 4>>(matrix);
}

// Elements 3, 7, 11 and 15: the translation of a model matrix, as a point.
inline void setTranslation(orvo::ZqMatrix<4, 4>& m, const orvo::ZqVector<3>& t) {
    m[3] = t.x;
    m[7] = t.y;
    m[11] = t.z;
    m[15] = 1.0f;
}
