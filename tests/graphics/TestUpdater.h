#pragma once

#include "core/maths/ZqVector.h"
#include "graphics/shader/ShaderParameterUpdater.h"

// A four-float updater that counts its runs and produces a fixed value.
class TestUpdater : public orvo::ShaderParameterUpdater<orvo::ZqVector<4>> {
public:
    TestUpdater(orvo::HashString name, uint32_t cacheKind, const orvo::ZqVector<4>& value)
        : orvo::ShaderParameterUpdater<orvo::ZqVector<4>>(name, cacheKind), produced_(value) {}

    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>>,
                boost::shared_ptr<const orvo::Material>) override {
        ++runs;
        value_ = produced_;
    }

    int runs = 0;

private:
    orvo::ZqVector<4> produced_;
};
