#pragma once

#include <cstdint>

#include <boost/shared_ptr.hpp>

#include "core/hash/HashString.h"
#include "core/maths/ZqMatrix.h"

namespace orvo {

class Material;

// Computes the value of one named uniform for a draw. The cache kind says how long a computed
// value may be reused before update runs again.
class BaseShaderParameterUpdater {
public:
    enum CacheKind : uint32_t {
        CACHE_NONE = 0,        // recomputed for every draw
        CACHE_PER_SHADER = 1,  // reused until the program changes
        CACHE_PER_FRAME = 2,   // reused until the frame ends
    };

    virtual ~BaseShaderParameterUpdater() {}

    virtual void update(boost::shared_ptr<ZqMatrix<4, 4>> world,
                        boost::shared_ptr<const Material> material) = 0;

    BaseShaderParameterUpdater(const BaseShaderParameterUpdater&) = delete;
    BaseShaderParameterUpdater& operator=(const BaseShaderParameterUpdater&) = delete;

    HashString getName() const { return name_; }
    uint32_t getValueType() const { return valueType_; }
    uint32_t getCacheKind() const { return cacheKind_; }

    // The stored value as floats, for the upload.
    const float* getValueData() const { return valueData_; }
    unsigned getValueFloatCount() const { return valueFloatCount_; }

protected:
    BaseShaderParameterUpdater(HashString name, uint32_t valueType, uint32_t cacheKind,
                               const float* valueData, unsigned valueFloatCount)
        : name_(name),
          valueType_(valueType),
          cacheKind_(cacheKind),
          valueData_(valueData),
          valueFloatCount_(valueFloatCount) {}

private:
    HashString name_;
    uint32_t valueType_;
    uint32_t cacheKind_;
    const float* valueData_;
    unsigned valueFloatCount_;
};

}  // namespace orvo
