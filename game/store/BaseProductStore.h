#pragma once

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "game/store/Product.h"
#include "game/store/ProductId.h"

// The in-app store as the game sees it, whatever platform store lies behind it.
class BaseProductStore {
public:
    virtual ~BaseProductStore() {}

    virtual void initialise() = 0;
    virtual void setCatalog(const orvo::Array<ProductId>& ids) = 0;
    virtual void updateCatalog() = 0;
    virtual bool isStoreActive() = 0;
    virtual bool isCatalogFilled() const = 0;
    virtual bool isItemAvailable(orvo::HashString id) const = 0;
    // Null when no available product has the id.
    virtual const Product* getDetails(orvo::HashString id) const = 0;
    virtual void beginPurchase(orvo::HashString id) = 0;
    virtual void update() = 0;
    virtual void completePurchase(orvo::HashString id) = 0;
    virtual void restorePurchases() = 0;
};
