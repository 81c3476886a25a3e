#pragma once

#include <algorithm>
#include <boost/shared_ptr.hpp>
#include <cstddef>

#include "core/containers/Array.h"
#include "core/hash/HashString.h"
#include "core/memory/ZequinAllocation.h"

namespace orvo {

// Typed store of named records in groups. A group is filled in one step and removed in one
// step; records are found by name through an index sorted by id (unsigned) and handed out as
// shared pointers that never free them: a record lives as long as its group.
//
// Teardown order: an owner removes its groups (removeGroup) before the manager is destroyed.
// Only removeGroup runs processOnRemove, where a manager releases what a record holds outside
// the store (the texture manager deletes its GL textures); a manager's destructor frees the
// records of groups still present without it, since a base destructor cannot reach the
// derived manager's hook.
template <class T>
class DataManagerCommon {
public:
    struct IdPtr {
        HashString id;
        HashString group;
        boost::shared_ptr<T> record;
    };

    struct DataStore {
        Array<HashString> groupNames;
        Array<Array<T>*> groupItems;  // parallel to groupNames
        Array<IdPtr> index;           // every record of every group, sorted by id
    };

    DataManagerCommon() {}
    DataManagerCommon(const DataManagerCommon&) = delete;
    DataManagerCommon& operator=(const DataManagerCommon&) = delete;
    virtual ~DataManagerCommon() {}

    // Called for each record that removeGroup drops.
    virtual void processOnRemove(T&) {}

    bool createGroup(DataStore& store, HashString group);
    // The group takes over the items' storage (a loaded block stays where it is; a view
    // stays a view). False, with nothing changed, when the counts differ, the group is
    // absent, it already holds records, or the index cannot grow.
    bool insertGroup(DataStore& store, HashString group, const Array<HashString>& ids,
                     Array<T>& items);
    bool removeGroup(DataStore& store, HashString group);

    static void sharedPtrDelete(T*) {}

protected:
    static std::ptrdiff_t findGroup(const DataStore& store, HashString group);
    // Binary search of the index; null when the id is not held.
    static const IdPtr* findRecord(const DataStore& store, HashString id);
    // The record named id in a store, or an empty pointer when the store holds none.
    static boost::shared_ptr<T> lookup(const DataStore& store, HashString id) {
        const IdPtr* found = findRecord(store, id);
        return found != nullptr ? found->record : boost::shared_ptr<T>();
    }
    static void sortIndex(DataStore& store);
    // Deletes the item arrays of groups that are still present when a manager goes, without
    // processOnRemove (see the teardown order above).
    static void releaseGroups(DataStore& store);
};

template <class T>
std::ptrdiff_t DataManagerCommon<T>::findGroup(const DataStore& store, HashString group) {
    for (std::size_t i = 0; i < store.groupNames.size(); ++i) {
        if (store.groupNames[i] == group) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

template <class T>
bool DataManagerCommon<T>::createGroup(DataStore& store, HashString group) {
    if (findGroup(store, group) >= 0) {
        return false;
    }
    Array<T>* items = new (0, ZequinAllocation) Array<T>();
    if (items == nullptr) {
        return false;
    }
    if (!store.groupNames.pushBack(group)) {
        delete items;
        return false;
    }
    if (!store.groupItems.pushBack(items)) {
        store.groupNames.popBack();
        delete items;
        return false;
    }
    return true;
}

template <class T>
bool DataManagerCommon<T>::insertGroup(DataStore& store, HashString group,
                                       const Array<HashString>& ids, Array<T>& items) {
    const std::ptrdiff_t at = findGroup(store, group);
    if (ids.size() != items.size() || at < 0) {
        return false;
    }
    Array<T>& groupItems = *store.groupItems[static_cast<std::size_t>(at)];
    // Taking a second set of records would destroy records the index still points to.
    if (!groupItems.empty()) {
        return false;
    }
    const std::size_t needed = store.index.size() + items.size();
    if (store.index.capacity() < needed && !store.index.reserve(needed)) {
        return false;
    }
    groupItems.acquire(items);
    for (std::size_t i = 0; i < groupItems.size(); ++i) {
        store.index.pushBack(
            IdPtr{ids[i], group, boost::shared_ptr<T>(&groupItems[i], sharedPtrDelete)});
    }
    sortIndex(store);
    return true;
}

template <class T>
bool DataManagerCommon<T>::removeGroup(DataStore& store, HashString group) {
    const std::ptrdiff_t at = findGroup(store, group);
    if (at < 0) {
        return false;
    }
    Array<IdPtr>& index = store.index;
    for (std::size_t i = 0; i < index.size();) {
        if (index[i].group != group) {
            ++i;
            continue;
        }
        processOnRemove(*index[i].record);
        if (i + 1 != index.size()) {
            index[i] = index[index.size() - 1];
        }
        index.popBack();
    }
    const std::size_t g = static_cast<std::size_t>(at);
    const std::size_t last = store.groupNames.size() - 1;
    delete store.groupItems[g];
    store.groupNames[g] = store.groupNames[last];
    store.groupItems[g] = store.groupItems[last];
    store.groupNames.popBack();
    store.groupItems.popBack();
    if (store.groupNames.empty()) {
        store.groupNames.clear();
        store.groupItems.clear();
        index.clear();
    } else {
        store.groupNames.shrink();
        store.groupItems.shrink();
        index.shrink();
    }
    sortIndex(store);
    return true;
}

template <class T>
const typename DataManagerCommon<T>::IdPtr* DataManagerCommon<T>::findRecord(const DataStore& store,
                                                                             HashString id) {
    const IdPtr* first = store.index.begin();
    const IdPtr* last = store.index.end();
    while (first < last) {
        const IdPtr* middle = first + (last - first) / 2;
        if (middle->id == id) {
            return middle;
        }
        if (middle->id.getHash() > id.getHash()) {
            last = middle;
        } else {
            first = middle + 1;
        }
    }
    return nullptr;
}

template <class T>
void DataManagerCommon<T>::sortIndex(DataStore& store) {
    std::sort(store.index.begin(), store.index.end(),
              [](const IdPtr& a, const IdPtr& b) { return a.id.getHash() < b.id.getHash(); });
}

template <class T>
void DataManagerCommon<T>::releaseGroups(DataStore& store) {
    store.index.clear();
    for (Array<T>* items : store.groupItems) {
        delete items;
    }
    store.groupItems.clear();
    store.groupNames.clear();
}

}  // namespace orvo
