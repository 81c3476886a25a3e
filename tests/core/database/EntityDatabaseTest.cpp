#include <gtest/gtest.h>
#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include "core/database/BaseDataManager.h"
#include "core/database/ComponentDatabase.h"
#include "core/database/DatabaseIds.h"
#include "core/database/EntityDatabase.h"

namespace {

using orvo::BaseEntity;
using orvo::EntityDatabase;
using orvo::HashString;

class NamedEntity : public BaseEntity {
public:
    NamedEntity(HashString name, int entityTag) : tag(entityTag), name_(name) {}
    HashString getName() const override { return name_; }
    orvo::Array<boost::shared_ptr<BaseEntity>>& getChildren() override { return children_; }
    void addChild(const boost::shared_ptr<BaseEntity>& child) override {
        children_.pushBack(child);
    }

    const int tag;

private:
    HashString name_;
    orvo::Array<boost::shared_ptr<BaseEntity>> children_;
};

boost::shared_ptr<NamedEntity> entity(const char* name, int tag = 0) {
    return boost::make_shared<NamedEntity>(HashString(name), tag);
}

int tagOf(const boost::shared_ptr<BaseEntity>& e) {
    return e ? static_cast<const NamedEntity&>(*e).tag : -1;
}

TEST(EntityDatabaseTest, EntityTypesAnswerWithTheFirstEntry) {
    EntityDatabase db;
    EXPECT_EQ(db.getEntityType("a"), orvo::INVALID_ENTITY_TYPE);
    db.addEntityType("a", "t1");
    db.addEntityType("b", "t2");
    db.addEntityType("a", "t3");
    EXPECT_EQ(db.getEntityType("a"), HashString("t1"));
    // The first entry takes the last one's place, so the later duplicate now answers.
    db.removeEntityType("a");
    EXPECT_EQ(db.getEntityType("a"), HashString("t3"));
    EXPECT_EQ(db.getEntityType("b"), HashString("t2"));
    db.removeEntityType("absent");
    db.removeEntityType("a");
    db.removeEntityType("b");
    EXPECT_EQ(db.getEntityType("a"), orvo::INVALID_ENTITY_TYPE);
    EXPECT_EQ(db.getEntityType("b"), orvo::INVALID_ENTITY_TYPE);
}

TEST(EntityDatabaseTest, EntitiesAreFoundThroughTheirTypesManager) {
    EntityDatabase db;
    auto manager = boost::make_shared<orvo::BaseDataManager>();
    manager->getEntities().pushBack(boost::shared_ptr<BaseEntity>());
    manager->getEntities().pushBack(entity("ship", 1));
    manager->getEntities().pushBack(entity("ship", 2));
    db.addEntityManager("craft", manager);
    db.addEntityManager("empty", boost::shared_ptr<orvo::BaseDataManager>());

    EXPECT_EQ(tagOf(db.getEntity("ship", "craft")), 1);
    EXPECT_TRUE(db.entityExists("ship", "craft"));
    EXPECT_FALSE(db.entityExists("boat", "craft"));
    EXPECT_FALSE(db.entityExists("ship", "unknown"));
    EXPECT_FALSE(db.entityExists("ship", "empty"));
    EXPECT_EQ(db.getBaseEntities("craft"), &manager->getEntities());
    EXPECT_EQ(db.getBaseEntities("unknown"), nullptr);
    EXPECT_EQ(db.getBaseEntities("empty"), nullptr);
}

TEST(EntityDatabaseTest, NameSearchIsDepthFirstPreOrder) {
    EntityDatabase db;
    auto first = entity("root", 1);
    auto inner = entity("inner", 2);
    inner->addChild(entity("x", 3));
    first->addChild(boost::shared_ptr<BaseEntity>());
    first->addChild(inner);
    db.addRootEntity(first);
    db.addRootEntity(entity("x", 4));

    EXPECT_EQ(tagOf(db.getEntityByNameOnly("x", nullptr)), 3);  // deep first, before the next root
    EXPECT_EQ(tagOf(db.getEntityByNameOnly("inner", first)), 2);
    EXPECT_EQ(tagOf(db.getEntityByNameOnly("inner", inner)), 2);  // the start itself
    EXPECT_EQ(tagOf(db.getEntityByNameOnly("root", inner)), -1);  // only below the start
    EXPECT_TRUE(db.entityExists(HashString("x")));
    EXPECT_FALSE(db.entityExists(HashString("y")));

    db.removeFromRoot("root");
    EXPECT_EQ(tagOf(db.getEntityByNameOnly("x", nullptr)), 4);
}

TEST(EntityDatabaseTest, LockResolvesPendingLinks) {
    EntityDatabase db;
    EXPECT_TRUE(db.isLocked());
    db.unlock();
    auto parent = entity("parent", 1);
    db.addRootEntity(parent);
    db.addRootEntity(entity("child", 2));
    db.addRootEntity(entity("other", 3));
    db.addPendingLink("parent", "child");
    db.addPendingLink("parent", "missing");
    db.addPendingLink("nobody", "other");
    EXPECT_EQ(db.getRootEntities().size(), 3u);  // nothing moves before the lock

    db.lock();
    EXPECT_TRUE(db.isLocked());
    EXPECT_FALSE(db.hasPendingLinks());
    ASSERT_EQ(db.getRootEntities().size(), 2u);
    EXPECT_EQ(tagOf(db.getRootEntities()[0]), 1);
    EXPECT_EQ(tagOf(db.getRootEntities()[1]), 3);  // root order kept
    ASSERT_EQ(parent->getChildren().size(), 1u);
    EXPECT_EQ(tagOf(parent->getChildren()[0]), 2);
}

// The linked child leaves the root list, not a root that merely shares its name.
TEST(EntityDatabaseTest, LinkMovesTheChildItFound) {
    EntityDatabase db;
    db.unlock();
    auto parent = entity("parent", 1);
    auto holder = entity("holder", 2);
    holder->addChild(entity("twin", 3));
    db.addRootEntity(parent);
    db.addRootEntity(holder);
    db.addRootEntity(entity("twin", 4));
    db.addPendingLink("parent", "twin");
    db.lock();
    ASSERT_EQ(parent->getChildren().size(), 1u);
    EXPECT_EQ(tagOf(parent->getChildren()[0]), 3);  // the deep one, found first
    ASSERT_EQ(db.getRootEntities().size(), 3u);
    EXPECT_EQ(tagOf(db.getRootEntities()[2]), 4);
}

TEST(EntityDatabaseTest, LinksThatWouldMakeACycleAreDropped) {
    EntityDatabase db;
    db.unlock();
    db.addRootEntity(entity("a", 1));
    db.addRootEntity(entity("b", 2));
    db.addPendingLink("a", "a");
    db.addPendingLink("a", "b");
    db.addPendingLink("b", "a");
    db.lock();
    // Whichever link comes first wins; the other would close a loop.
    ASSERT_EQ(db.getRootEntities().size(), 1u);
    const boost::shared_ptr<BaseEntity> root = db.getRootEntities()[0];
    ASSERT_EQ(root->getChildren().size(), 1u);
    EXPECT_NE(root->getChildren()[0], root);
    EXPECT_TRUE(root->getChildren()[0]->getChildren().empty());
    EXPECT_FALSE(db.entityExists(HashString("nowhere")));
}

TEST(EntityDatabaseTest, ClearEmptiesEverything) {
    EntityDatabase db;
    db.addEntityType("a", "t");
    db.addRootEntity(entity("r"));
    db.addPendingLink("r", "s");
    db.addEntityManager("t", boost::make_shared<orvo::BaseDataManager>());
    db.clear();
    EXPECT_EQ(db.getEntityType("a"), orvo::INVALID_ENTITY_TYPE);
    EXPECT_TRUE(db.getRootEntities().empty());
    EXPECT_FALSE(db.hasPendingLinks());
    EXPECT_EQ(db.getBaseEntities("t"), nullptr);
    EXPECT_FALSE(db.addRootEntity(boost::shared_ptr<BaseEntity>()));
}

TEST(ComponentDatabaseTest, MapsTypesToTheirFirstManager) {
    orvo::ComponentDatabase db;
    auto first = boost::make_shared<orvo::BaseDataManager>();
    db.addComponentManager("mesh", first);
    db.addComponentManager("mesh", boost::make_shared<orvo::BaseDataManager>());
    EXPECT_EQ(db.getComponentManager("mesh"), first);
    EXPECT_FALSE(db.getComponentManager("light"));
    db.clear();
    EXPECT_FALSE(db.getComponentManager("mesh"));
}

}  // namespace
