#pragma once

#include "core/containers/Array.h"
#include "core/hash/HashString.h"

namespace orvo {

template <class T>
struct HashedArrayNamedPair {
    HashString name;
    T value;
};

// An array of values tagged with a name id. Names need not be unique: appending does not look
// for an existing pair, and a lookup finds the first pair with the name.
template <class T>
class HashedArray : public Array<HashedArrayNamedPair<T>> {
public:
    typedef HashedArrayNamedPair<T> NamedPair;

    HashedArray() = default;
    explicit HashedArray(int category) : Array<NamedPair>(category) {}

    bool pushBack(HashString name, const T& value) {
        return Array<NamedPair>::pushBack(NamedPair{name, value});
    }

    // Index of the first pair with the name, or -1.
    int indexOf(HashString name) const {
        int index = 0;
        for (const NamedPair& pair : *this) {
            if (pair.name == name) {
                return index;
            }
            ++index;
        }
        return -1;
    }
};

}  // namespace orvo
