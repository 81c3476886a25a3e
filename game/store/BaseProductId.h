#pragma once

// Base of the store's product ids.
class BaseProductId {
public:
    virtual ~BaseProductId() {}
};
