#pragma once

#include <cstdint>

#include "core/message/Message.h"
#include "game/store/ProductId.h"

// The outcome of a purchase, posted on the ProductStoreMessage queue.
class ProductStoreMessage : public orvo::Message {
public:
    enum Status : uint32_t { PURCHASE_COMPLETE = 0, PURCHASE_FAILED = 1 };

    ProductStoreMessage(const ProductId& productId, Status purchaseStatus);

    Status status;
    ProductId product;
};
