#include "core/database/ComponentDatabase.h"

namespace orvo {

ComponentDatabase::ComponentDatabase() {}

ComponentDatabase::~ComponentDatabase() { clear(); }

void ComponentDatabase::addComponentManager(HashString type,
                                            const boost::shared_ptr<BaseDataManager>& manager) {
    managers_.emplace(type, manager);
}

boost::shared_ptr<BaseDataManager> ComponentDatabase::getComponentManager(HashString type) const {
    const auto found = managers_.find(type);
    return found == managers_.end() ? boost::shared_ptr<BaseDataManager>() : found->second;
}

void ComponentDatabase::clear() { managers_.clear(); }

}  // namespace orvo
