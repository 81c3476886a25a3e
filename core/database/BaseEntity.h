#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"

namespace orvo {

// Entity of the entity/component model, as far as the entity database needs it.
class BaseEntity {
public:
    virtual ~BaseEntity() {}

    virtual HashString getName() const = 0;
    virtual Array<boost::shared_ptr<BaseEntity>>& getChildren() = 0;
    virtual void addChild(const boost::shared_ptr<BaseEntity>& child) = 0;
};

}  // namespace orvo
