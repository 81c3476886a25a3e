#include "core/database/EntityDatabase.h"

#include "core/database/DatabaseIds.h"

namespace orvo {

namespace {

// True when `entity` is `root` or lies anywhere below it.
bool subtreeHolds(const boost::shared_ptr<BaseEntity>& root, const BaseEntity* entity) {
    if (root.get() == entity) {
        return true;
    }
    for (const boost::shared_ptr<BaseEntity>& child : root->getChildren()) {
        if (child && subtreeHolds(child, entity)) {
            return true;
        }
    }
    return false;
}

}  // namespace

EntityDatabase::EntityDatabase() : locked_(true) {}

EntityDatabase::~EntityDatabase() { clear(); }

void EntityDatabase::addEntityType(HashString name, HashString type) {
    entityTypes_.pushBack(EntityTypeEntry{name, type});
}

const HashString& EntityDatabase::getEntityType(HashString name) const {
    for (const EntityTypeEntry& entry : entityTypes_) {
        if (entry.name == name) {
            return entry.type;
        }
    }
    return INVALID_ENTITY_TYPE;
}

void EntityDatabase::removeEntityType(HashString name) {
    for (EntityTypeEntry& entry : entityTypes_) {
        if (entry.name == name) {
            entry = entityTypes_[entityTypes_.size() - 1];
            entityTypes_.popBack();
            return;
        }
    }
}

void EntityDatabase::addEntityManager(HashString type,
                                      const boost::shared_ptr<BaseDataManager>& manager) {
    managers_.emplace(type, manager);
}

EntityDatabase::EntityArray* EntityDatabase::getBaseEntities(HashString type) {
    const auto found = managers_.find(type);
    if (found == managers_.end() || !found->second) {
        return nullptr;
    }
    return &found->second->getEntities();
}

boost::shared_ptr<BaseEntity> EntityDatabase::getEntity(HashString name, HashString type) {
    const EntityArray* entities = getBaseEntities(type);
    if (entities != nullptr) {
        for (const boost::shared_ptr<BaseEntity>& entity : *entities) {
            if (entity && entity->getName() == name) {
                return entity;
            }
        }
    }
    return boost::shared_ptr<BaseEntity>();
}

bool EntityDatabase::entityExists(HashString name, HashString type) {
    return static_cast<bool>(getEntity(name, type));
}

boost::shared_ptr<BaseEntity> EntityDatabase::getEntityByNameOnly(
    HashString name, const boost::shared_ptr<BaseEntity>& start) const {
    if (!start) {
        for (const boost::shared_ptr<BaseEntity>& root : roots_) {
            if (root) {
                boost::shared_ptr<BaseEntity> found = getEntityByNameOnly(name, root);
                if (found) {
                    return found;
                }
            }
        }
        return boost::shared_ptr<BaseEntity>();
    }
    if (start->getName() == name) {
        return start;
    }
    for (const boost::shared_ptr<BaseEntity>& child : start->getChildren()) {
        if (child) {
            boost::shared_ptr<BaseEntity> found = getEntityByNameOnly(name, child);
            if (found) {
                return found;
            }
        }
    }
    return boost::shared_ptr<BaseEntity>();
}

bool EntityDatabase::entityExists(HashString name) const {
    return static_cast<bool>(getEntityByNameOnly(name, boost::shared_ptr<BaseEntity>()));
}

bool EntityDatabase::addRootEntity(const boost::shared_ptr<BaseEntity>& entity) {
    return entity && roots_.pushBack(entity);
}

void EntityDatabase::removeFromRoot(HashString name) {
    for (std::size_t i = 0; i < roots_.size(); ++i) {
        if (roots_[i] && roots_[i]->getName() == name) {
            removeRootAt(i);
            return;
        }
    }
}

void EntityDatabase::removeRoot(const BaseEntity* entity) {
    for (std::size_t i = 0; i < roots_.size(); ++i) {
        if (roots_[i].get() == entity) {
            removeRootAt(i);
            return;
        }
    }
}

// Shifts the rest down: searches follow the root-list order.
void EntityDatabase::removeRootAt(std::size_t at) {
    for (std::size_t j = at + 1; j < roots_.size(); ++j) {
        roots_[j - 1] = roots_[j];
    }
    roots_.popBack();
}

bool EntityDatabase::addPendingLink(HashString parent, HashString child) {
    return pendingLinks_[parent].pushBack(child);
}

void EntityDatabase::lock() {
    locked_ = true;
    for (const auto& link : pendingLinks_) {
        for (const HashString& child : link.second) {
            resolveLink(link.first, child);
        }
    }
    pendingLinks_.clear();
}

void EntityDatabase::resolveLink(HashString parentName, HashString childName) {
    const boost::shared_ptr<BaseEntity> none;
    const boost::shared_ptr<BaseEntity> parent = getEntityByNameOnly(parentName, none);
    const boost::shared_ptr<BaseEntity> child = getEntityByNameOnly(childName, none);
    // A link that would put an entity below itself would make every later search endless.
    if (!parent || !child || subtreeHolds(child, parent.get())) {
        return;
    }
    // The child found may lie deep in a tree: only that entity leaves the roots, never a root
    // that merely shares its name.
    parent->addChild(child);
    removeRoot(child.get());
}

void EntityDatabase::clear() {
    roots_.clear();
    pendingLinks_.clear();
    entityTypes_.clear();
    managers_.clear();
}

}  // namespace orvo
