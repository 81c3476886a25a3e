#pragma once

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/database/BaseEntity.h"

namespace orvo {

// Holder of one type's records: the entities of an entity type, the components of a
// component type.
class BaseDataManager {
public:
    virtual ~BaseDataManager() {}

    Array<boost::shared_ptr<BaseEntity>>& getEntities() { return entities_; }

private:
    Array<boost::shared_ptr<BaseEntity>> entities_;
};

}  // namespace orvo
