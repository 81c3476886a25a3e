#pragma once

#include "core/containers/Array.h"
#include "core/data/StaticDataManager.h"
#include "core/data/StaticObjectLoader.h"
#include "core/hash/HashString.h"
#include "core/text/ZqString.h"

// Loading a folder's record sets into the data managers, shared by the models and the track.

// Loads one record set of the folder with its names. A missing or bad set loads as empty.
template <class T>
void loadStaticSet(const orvo::ZqString& folder, orvo::Array<T>& records,
                   orvo::Array<orvo::HashString>& ids) {
    typedef orvo::StaticObjectLoader Loader;
    const char* type = orvo::StaticRecord<T>::TYPE_NAME;
    const orvo::ZqString stem = folder + type + Loader::typeSuffix(type);
    if (Loader::loadObjects(records, stem, 0) <= 0 ||
        !Loader::loadRemaining(ids, records, stem, 0) || ids.size() != records.size()) {
        records.clear();
        ids.clear();
    }
}

// Creates the group in a manager's static part and hands it the records when there are any.
// False when the group could not be made (for instance, it exists already).
template <class T, class Manager>
bool insertStaticGroup(Manager& manager, orvo::HashString group,
                       const orvo::Array<orvo::HashString>& ids, orvo::Array<T>& records) {
    orvo::StaticDataManager<T>& part = manager;
    if (!part.createGroup(part.getStaticStore(), group)) {
        return false;
    }
    if (!records.empty()) {
        part.insertGroup(part.getStaticStore(), group, ids, records);
    }
    return true;
}

template <class T, class Manager>
void removeStaticGroup(Manager& manager, orvo::HashString group) {
    orvo::StaticDataManager<T>& part = manager;
    part.removeGroup(part.getStaticStore(), group);
}
