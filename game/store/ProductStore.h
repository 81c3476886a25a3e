#pragma once

#include <cstdint>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/locator/ServiceSingleton.h"
#include "game/store/BaseProductStore.h"
#include "game/store/Product.h"
#include "game/store/ProductId.h"

// A store without a back end: purchases are settled locally and their results posted as
// ProductStoreMessage values.
class ProductStore : public BaseProductStore, public orvo::Locator::ServiceSingleton<ProductStore> {
public:
    ProductStore();
    // Removes the ProductStoreMessage queue, which the store owns.
    ~ProductStore() override;

    void initialise() override;
    void setCatalog(const orvo::Array<ProductId>& ids) override;
    void updateCatalog() override;
    bool isStoreActive() override;
    bool isCatalogFilled() const override;
    bool isItemAvailable(orvo::HashString id) const override;
    const Product* getDetails(orvo::HashString id) const override;
    void beginPurchase(orvo::HashString id) override;
    void update() override;
    void completePurchase(orvo::HashString id) override;
    void restorePurchases() override;

    // Records each id as purchased and reports it with status 0.
    void setPendingIds(const orvo::Array<ProductId>& ids);

    bool addProduct(const Product& product);
    const orvo::Array<ProductId>& getPurchases() const { return purchases_; }

private:
    void postResult(const ProductId& id, uint32_t status);

    bool storeActive_;
    orvo::Array<Product> products_;
    orvo::Array<Product> availableProducts_;
    orvo::Array<ProductId> purchases_;
    orvo::Array<ProductId> pendingPurchases_;
    orvo::Array<ProductId> catalogIds_;
    uint32_t resultStatus_;
    uint32_t fallbackResultStatus_;
};
