#pragma once

#include "core/data/DataManagerCommon.h"

namespace orvo {

// A data manager of groups built at run time; it has no lookup of its own.
template <class T>
class DynamicDataManager : public DataManagerCommon<T> {
public:
    typedef typename DataManagerCommon<T>::DataStore DataStore;

    // Groups still present are freed without the remove hook: owners remove them first.
    ~DynamicDataManager() override { DataManagerCommon<T>::releaseGroups(dynamicStore_); }

    DataStore& getDynamicStore() { return dynamicStore_; }
    const DataStore& getDynamicStore() const { return dynamicStore_; }

protected:
    DataStore dynamicStore_;
};

}  // namespace orvo
