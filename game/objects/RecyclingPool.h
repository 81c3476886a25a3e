#pragma once

#include <cstddef>

#include <boost/shared_ptr.hpp>

#include "core/containers/Array.h"
#include "core/memory/ZequinAllocation.h"

// Objects held by shared pointers, made in memory category 0 and handed out again once nothing
// but the pool holds them. A steady stream of short-lived objects (the tiles of the track, the
// enemy craft) so allocates nothing once the pool holds as many as ever live at once. An object
// that someone still holds is never handed out twice.
template <class T>
class RecyclingPool {
public:
    // An object that nobody else holds, in whatever state its last user left it, or a new one;
    // empty when memory ran out.
    boost::shared_ptr<T> take() {
        for (const boost::shared_ptr<T>& held : objects) {
            if (held.use_count() == 1) {
                return held;
            }
        }
        return make();
    }

    // Makes objects until the pool holds at least count of them.
    void prepare(std::size_t count) {
        while (objects.size() < count && make()) {
        }
    }

    void clear() { objects.clear(); }

private:
    // A new object, kept by the pool when there is room for it.
    boost::shared_ptr<T> make() {
        T* made = new (0, ZequinAllocation) T();
        if (made == nullptr) {
            return boost::shared_ptr<T>();
        }
        const boost::shared_ptr<T> fresh(made);
        objects.pushBack(fresh);
        return fresh;
    }

    orvo::Array<boost::shared_ptr<T>> objects;
};
