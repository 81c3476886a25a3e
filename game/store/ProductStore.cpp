#include "game/store/ProductStore.h"

#include <cstddef>

#include <boost/shared_ptr.hpp>

#include "core/memory/ZequinAllocation.h"
#include "core/message/MessageSystem.h"
#include "game/store/ProductStoreMessage.h"

ProductStore::ProductStore() : storeActive_(true), resultStatus_(0), fallbackResultStatus_(0) {}

ProductStore::~ProductStore() { orvo::MessageSystem::removeQueue<ProductStoreMessage>(); }

void ProductStore::initialise() {}

void ProductStore::setCatalog(const orvo::Array<ProductId>& ids) { catalogIds_ = ids; }

void ProductStore::updateCatalog() {
    for (const ProductId& id : catalogIds_) {
        for (const Product& product : products_) {
            if (product.id.id == id.id) {
                availableProducts_.pushBack(product);
            }
        }
    }
}

bool ProductStore::isStoreActive() { return storeActive_; }

bool ProductStore::isCatalogFilled() const { return availableProducts_.size() == products_.size(); }

bool ProductStore::isItemAvailable(orvo::HashString id) const { return getDetails(id) != nullptr; }

const Product* ProductStore::getDetails(orvo::HashString id) const {
    for (const Product& product : availableProducts_) {
        if (product.id.id == id) {
            return &product;
        }
    }
    return nullptr;
}

void ProductStore::beginPurchase(orvo::HashString id) {
    if (!storeActive_ || !isItemAvailable(id)) {
        return;
    }
    purchases_.pushBack(ProductId(id));
    pendingPurchases_.pushBack(ProductId(id));
}

void ProductStore::update() {
    if (pendingPurchases_.empty()) {
        return;
    }
    const uint32_t status = resultStatus_ != 0 ? resultStatus_ : fallbackResultStatus_;
    for (const ProductId& id : pendingPurchases_) {
        postResult(id, status);
        purchases_.pushBack(id);
    }
    pendingPurchases_.clear();
}

void ProductStore::completePurchase(orvo::HashString id) {
    if (!storeActive_) {
        return;
    }
    for (ProductId& purchase : purchases_) {
        if (purchase.id == id) {
            purchase = purchases_[purchases_.size() - 1];
            purchases_.popBack();
            return;
        }
    }
}

void ProductStore::restorePurchases() {}

void ProductStore::setPendingIds(const orvo::Array<ProductId>& ids) {
    // By index over the starting count: ids may be the purchase list itself.
    const std::size_t count = ids.size();
    for (std::size_t i = 0; i < count; ++i) {
        const ProductId id = ids[i];
        purchases_.pushBack(id);
        postResult(id, ProductStoreMessage::PURCHASE_COMPLETE);
    }
}

bool ProductStore::addProduct(const Product& product) { return products_.pushBack(product); }

void ProductStore::postResult(const ProductId& id, uint32_t status) {
    const boost::shared_ptr<ProductStoreMessage> message(
        new (0, ZequinAllocation)
            ProductStoreMessage(id, static_cast<ProductStoreMessage::Status>(status)));
    orvo::MessageSystem::getQueue<ProductStoreMessage>().postMessage(message);
}
