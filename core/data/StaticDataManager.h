#pragma once

#include "core/data/DataManagerCommon.h"

namespace orvo {

// A data manager of groups loaded from static data (and of run-time groups kept alike), with
// lookup by name.
template <class T>
class StaticDataManager : public DataManagerCommon<T> {
public:
    typedef typename DataManagerCommon<T>::DataStore DataStore;

    // Groups still present are freed without the remove hook: owners remove them first.
    ~StaticDataManager() override { DataManagerCommon<T>::releaseGroups(staticStore_); }

    // The record named id, or an empty pointer when the store holds none.
    boost::shared_ptr<T> getStatic(HashString id) const {
        return DataManagerCommon<T>::lookup(staticStore_, id);
    }
    bool staticExists(HashString id) const {
        return DataManagerCommon<T>::findRecord(staticStore_, id) != nullptr;
    }

    DataStore& getStaticStore() { return staticStore_; }
    const DataStore& getStaticStore() const { return staticStore_; }

protected:
    DataStore staticStore_;
};

}  // namespace orvo
