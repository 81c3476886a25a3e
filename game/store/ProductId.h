#pragma once

#include "core/hash/HashString.h"
#include "game/store/BaseProductId.h"

class ProductId : public BaseProductId {
public:
    ProductId() = default;
    explicit ProductId(orvo::HashString productId) : id(productId) {}

    orvo::HashString id;
};
