#include "game/store/ProductStoreMessage.h"

ProductStoreMessage::ProductStoreMessage(const ProductId& productId, Status purchaseStatus)
    : orvo::Message("ProductStoreMessage"), status(purchaseStatus), product(productId) {}
