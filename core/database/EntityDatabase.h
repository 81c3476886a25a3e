#pragma once

#include <map>

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/database/BaseDataManager.h"
#include "core/database/BaseEntity.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"

namespace orvo {

// Registry of entity types, root entities and the parent-child links that wait for the next
// lock to be resolved.
class EntityDatabase : public Locator::ServiceSingleton<EntityDatabase> {
public:
    typedef Array<boost::shared_ptr<BaseEntity>> EntityArray;

    struct EntityTypeEntry {
        HashString name;
        HashString type;
    };

    EntityDatabase();
    ~EntityDatabase() override;

    // No duplicate test: a name added twice answers with its first type.
    void addEntityType(HashString name, HashString type);
    const HashString& getEntityType(HashString name) const;
    void removeEntityType(HashString name);

    // A type registered again keeps its first manager.
    void addEntityManager(HashString type, const boost::shared_ptr<BaseDataManager>& manager);
    // The entities of the type's manager; null when the type has none.
    EntityArray* getBaseEntities(HashString type);

    boost::shared_ptr<BaseEntity> getEntity(HashString name, HashString type);
    bool entityExists(HashString name, HashString type);

    // Depth-first, pre-order: from the roots when start is empty, else from start.
    boost::shared_ptr<BaseEntity> getEntityByNameOnly(
        HashString name, const boost::shared_ptr<BaseEntity>& start) const;
    bool entityExists(HashString name) const;

    bool addRootEntity(const boost::shared_ptr<BaseEntity>& entity);
    void removeFromRoot(HashString name);
    const EntityArray& getRootEntities() const { return roots_; }

    // Recorded now, resolved by the next lock().
    bool addPendingLink(HashString parent, HashString child);
    bool hasPendingLinks() const { return !pendingLinks_.empty(); }

    void lock();
    void unlock() { locked_ = false; }
    bool isLocked() const { return locked_; }

    void clear();

private:
    void resolveLink(HashString parentName, HashString childName);
    // Removes that very entity from the roots, if it is one.
    void removeRoot(const BaseEntity* entity);
    void removeRootAt(std::size_t at);

    bool locked_;
    std::map<HashString, boost::shared_ptr<BaseDataManager>> managers_;
    EntityArray roots_;
    std::map<HashString, Array<HashString>> pendingLinks_;
    Array<EntityTypeEntry> entityTypes_;
};

}  // namespace orvo
