#pragma once

#include "core/text/ZqString.h"
#include "game/store/ProductId.h"

// A catalog entry. The store does not interpret its texts.
struct Product {
    ProductId id;
    orvo::ZqString title;
    orvo::ZqString description;
    orvo::ZqString price;
};
