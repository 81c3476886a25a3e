#pragma once

#include <map>

#include <boost/shared_ptr.hpp>

#include "core/database/BaseDataManager.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"

namespace orvo {

// Maps each component type to the manager of that type's records.
class ComponentDatabase : public Locator::ServiceSingleton<ComponentDatabase> {
public:
    ComponentDatabase();
    ~ComponentDatabase() override;

    // A type registered again keeps its first manager.
    void addComponentManager(HashString type, const boost::shared_ptr<BaseDataManager>& manager);
    // Empty when the type has no manager.
    boost::shared_ptr<BaseDataManager> getComponentManager(HashString type) const;

    void clear();

private:
    std::map<HashString, boost::shared_ptr<BaseDataManager>> managers_;
};

}  // namespace orvo
