#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>
#include <boost/shared_ptr.hpp>

#include "core/message/MessageSystem.h"
#include "game/store/ProductStore.h"
#include "game/store/ProductStoreMessage.h"

namespace {

using orvo::HashString;

Product product(const char* id, const char* title) {
    Product p;
    p.id = ProductId(HashString(id));
    p.title = title;
    return p;
}

orvo::Array<ProductId> ids(std::initializer_list<const char*> names) {
    orvo::Array<ProductId> result;
    for (const char* name : names) {
        result.pushBack(ProductId(HashString(name)));
    }
    return result;
}

std::vector<uint32_t> drainHashes() {
    std::vector<uint32_t> hashes;
    auto queue = orvo::MessageSystem::getQueue<ProductStoreMessage>();
    boost::shared_ptr<ProductStoreMessage> message;
    while (queue.nextMessage(message)) {
        EXPECT_EQ(message->status, ProductStoreMessage::PURCHASE_COMPLETE);
        hashes.push_back(message->product.id.getHash());
    }
    return hashes;
}

std::size_t countOf(const ProductStore& store, const char* id) {
    std::size_t n = 0;
    for (const ProductId& purchase : store.getPurchases()) {
        n += purchase.id == HashString(id) ? 1 : 0;
    }
    return n;
}

class ProductStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.addProduct(product("gold", "Gold"));
        store.addProduct(product("silver", "Silver"));
        store.addProduct(product("gold", "Gold again"));
    }
    void TearDown() override { orvo::MessageSystem::removeQueue<ProductStoreMessage>(); }

    ProductStore store;
};

TEST_F(ProductStoreTest, EmptyStoreIsActiveAndItsCatalogFilled) {
    ProductStore empty;
    EXPECT_TRUE(empty.isStoreActive());
    EXPECT_TRUE(empty.isCatalogFilled());
    EXPECT_FALSE(empty.isItemAvailable("gold"));
    EXPECT_EQ(empty.getDetails("gold"), nullptr);
}

TEST_F(ProductStoreTest, CatalogMakesItsProductsAvailable) {
    EXPECT_FALSE(store.isCatalogFilled());
    store.setCatalog(ids({"gold", "unknown"}));
    store.updateCatalog();
    EXPECT_TRUE(store.isItemAvailable("gold"));
    EXPECT_FALSE(store.isItemAvailable("silver"));
    ASSERT_NE(store.getDetails("gold"), nullptr);
    EXPECT_EQ(store.getDetails("gold")->title, "Gold");
    EXPECT_FALSE(store.isCatalogFilled());  // two of three products
    store.setCatalog(ids({"silver"}));
    store.updateCatalog();
    EXPECT_TRUE(store.isCatalogFilled());
}

TEST_F(ProductStoreTest, PurchasesOfUnavailableIdsChangeNothing) {
    store.beginPurchase("gold");  // in the products, not yet in the catalog
    store.update();
    EXPECT_TRUE(store.getPurchases().empty());
    EXPECT_TRUE(drainHashes().empty());
}

TEST_F(ProductStoreTest, UpdateReportsEveryPendingPurchase) {
    store.setCatalog(ids({"gold"}));
    store.updateCatalog();
    store.beginPurchase("gold");
    store.beginPurchase("gold");
    EXPECT_EQ(countOf(store, "gold"), 2u);
    EXPECT_TRUE(drainHashes().empty());  // nothing before the update
    store.update();
    EXPECT_EQ(drainHashes(), std::vector<uint32_t>(2, HashString("gold").getHash()));
    EXPECT_EQ(countOf(store, "gold"), 4u);
    store.update();  // nothing pending any more
    EXPECT_TRUE(drainHashes().empty());
}

TEST_F(ProductStoreTest, CompletePurchaseRemovesOneEntry) {
    store.setPendingIds(ids({"gold"}));
    store.completePurchase("silver");
    EXPECT_EQ(store.getPurchases().size(), 1u);
    store.completePurchase("gold");
    EXPECT_TRUE(store.getPurchases().empty());
    store.completePurchase("gold");
    EXPECT_TRUE(store.getPurchases().empty());
}

TEST_F(ProductStoreTest, PendingIdsAreRecordedAndReported) {
    store.setPendingIds(ids({"gold", "silver"}));
    EXPECT_EQ(drainHashes(), (std::vector<uint32_t>{HashString("gold").getHash(),
                                                    HashString("silver").getHash()}));
    // The purchase list itself as the argument: each entry is reported once more.
    store.setPendingIds(store.getPurchases());
    EXPECT_EQ(store.getPurchases().size(), 4u);
    EXPECT_EQ(drainHashes().size(), 2u);
}

TEST(ProductStoreLifetimeTest, DestroyingTheStoreRemovesItsQueue) {
    {
        ProductStore store;
        store.setPendingIds(ids({"gold"}));
        EXPECT_TRUE(orvo::MessageQueueActual<ProductStoreMessage>::exists());
    }
    EXPECT_FALSE(orvo::MessageQueueActual<ProductStoreMessage>::exists());
}

}  // namespace
