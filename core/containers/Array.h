#pragma once

#include <cstddef>
#include <new>

#include "core/containers/ArrayStorage.h"

namespace orvo {

// Growable array whose storage comes from the memory manager in the array's own category.
// A full array grows to n + 1 + n/2 elements. The category words VIEW_CATEGORY (a view into
// loaded data or a static table) and BLOCK_CATEGORY (owns a whole loaded block) mark storage
// that was not allocated element-wise; copies of either are ordinary arrays of category 0. A
// view that is changed (grown, shrunk or refilled) first copies its elements into storage of its
// own, so the viewed data is never written. Allocating operations report failure as false and
// leave the array unchanged.
template <class T>
class Array {
public:
    typedef T* iterator;
    typedef const T* const_iterator;

    Array() : begin_(nullptr), end_(nullptr), capacityEnd_(nullptr), category_(0) {}
    explicit Array(int category)
        : begin_(nullptr), end_(nullptr), capacityEnd_(nullptr), category_(category) {}

    Array(const Array& other)
        : begin_(nullptr),
          end_(nullptr),
          capacityEnd_(nullptr),
          category_(ArrayStorage::allocationCategory(other.category_)) {
        copyFrom(other);
    }

    ~Array() {
        if (ownsStorage()) {
            destroyElements();
            ArrayStorage::release(begin_);
        }
    }

    Array& operator=(const Array& other) {
        if (this == &other) {
            return *this;
        }
        if (other.empty()) {
            clear();
            return *this;
        }
        if (ownsStorage() && capacity() == other.size()) {
            destroyElements();
            end_ = copyElements(other.begin_, other.end_, begin_);
            return *this;
        }
        clear();
        copyFrom(other);
        return *this;
    }

    // An array over storage it does not own (loaded data, static tables).
    static Array view(T* data, std::size_t count) {
        Array a(ArrayStorage::VIEW_CATEGORY);
        a.begin_ = data;
        a.end_ = data + count;
        a.capacityEnd_ = a.end_;
        return a;
    }

    // Takes over a whole loaded block holding `count` constructed elements; it is freed with
    // the array like any other storage.
    void adoptBlock(T* data, std::size_t count) {
        clear();
        category_ = ArrayStorage::BLOCK_CATEGORY;
        begin_ = data;
        end_ = data + count;
        capacityEnd_ = end_;
    }

    bool pushBack(const T& element) {
        if (end_ != capacityEnd_) {
            new (end_) T(element);
            ++end_;
            return true;
        }
        const std::size_t n = size();
        const std::size_t grown = n + 1 + n / 2;
        T* storage = static_cast<T*>(ArrayStorage::allocate(grown, sizeof(T), category_));
        if (storage == nullptr) {
            return false;
        }
        // The new element is copied first: it may live in the storage about to be released.
        new (storage + n) T(element);
        moveInto(storage);
        takeStorage(storage, n + 1, grown);
        return true;
    }

    // A view is first copied into storage of its own (left unchanged if that fails).
    void popBack() {
        if (begin_ == end_ || !detachView()) {
            return;
        }
        --end_;
        end_->~T();
    }

    // Destroys the elements front to back and frees the storage; the category is kept.
    void clear() {
        if (ownsStorage()) {
            for (T* p = begin_; p != end_; ++p) {
                p->~T();
            }
            ArrayStorage::release(begin_);
        }
        begin_ = end_ = capacityEnd_ = nullptr;
    }

    void shrink() {
        if (empty()) {
            clear();
            return;
        }
        if (!ownsStorage() || capacity() != size()) {
            reallocate(size());
        }
    }

    bool reserve(std::size_t n) {
        if (n == 0 || capacity() > n) {
            return false;
        }
        return capacity() == n || reallocate(n);
    }

    bool resize(std::size_t n, const T& fill) {
        if (n <= size()) {
            if (n < size() && !detachView()) {
                return false;
            }
            T* newEnd = begin_ + n;
            for (T* p = newEnd; p != end_; ++p) {
                p->~T();
            }
            end_ = newEnd;
            return true;
        }
        if (capacity() < n) {
            // The fill element may live in this array: copy it before the storage moves.
            const T fillCopy(fill);
            if (!reserve(n)) {
                return false;
            }
            return resizeFilled(n, fillCopy);
        }
        return resizeFilled(n, fill);
    }

    // An index at or past the end yields the last element. The array must not be empty.
    T& at(std::size_t index) { return index < size() ? begin_[index] : end_[-1]; }
    const T& at(std::size_t index) const { return index < size() ? begin_[index] : end_[-1]; }
    T& operator[](std::size_t index) { return begin_[index]; }
    const T& operator[](std::size_t index) const { return begin_[index]; }

    // Takes the source's storage. A view is shared instead (both then view the same data).
    void acquire(Array& source) {
        if (&source == this) {
            return;
        }
        clear();
        if (source.category_ == ArrayStorage::VIEW_CATEGORY) {
            begin_ = source.begin_;
            end_ = source.end_;
            capacityEnd_ = source.capacityEnd_;
            category_ = source.category_;
            return;
        }
        begin_ = source.begin_;
        end_ = source.end_;
        capacityEnd_ = source.capacityEnd_;
        source.begin_ = source.end_ = source.capacityEnd_ = nullptr;
    }

    std::size_t size() const { return static_cast<std::size_t>(end_ - begin_); }
    std::size_t capacity() const { return static_cast<std::size_t>(capacityEnd_ - begin_); }
    bool empty() const { return begin_ == end_; }
    int getCategory() const { return category_; }

    T* begin() { return begin_; }
    T* end() { return end_; }
    const T* begin() const { return begin_; }
    const T* end() const { return end_; }
    T* data() { return begin_; }
    const T* data() const { return begin_; }

private:
    bool ownsStorage() const { return category_ != ArrayStorage::VIEW_CATEGORY; }

    // Before a view is changed in place: copies it into storage of its own, so that the data it
    // views is never written. False when that storage cannot be had.
    bool detachView() { return ownsStorage() || reallocate(size()); }

    // Copies the elements into new storage for `cap` elements, which the array then owns.
    // False, with the array unchanged, when the category cannot give it.
    bool reallocate(std::size_t cap) {
        T* storage = static_cast<T*>(ArrayStorage::allocate(cap, sizeof(T), category_));
        if (storage == nullptr) {
            return false;
        }
        const std::size_t count = size();
        moveInto(storage);
        takeStorage(storage, count, cap);
        return true;
    }

    // Last to first, as the destructor and the copy paths release them.
    void destroyElements() {
        for (T* p = end_; p != begin_;) {
            (--p)->~T();
        }
    }

    // Copy-constructs [first, last) at out; returns the end of the copies.
    static T* copyElements(const T* first, const T* last, T* out) {
        for (const T* p = first; p != last; ++p) {
            new (out++) T(*p);
        }
        return out;
    }

    // Copies the elements into fresh storage; the old ones are left to takeStorage.
    void moveInto(T* storage) { copyElements(begin_, end_, storage); }

    // Releases the current storage and takes the given one. A view that had to allocate
    // now owns its storage and so becomes an ordinary array.
    void takeStorage(T* storage, std::size_t count, std::size_t cap) {
        clear();
        if (category_ == ArrayStorage::VIEW_CATEGORY) {
            category_ = 0;
        }
        begin_ = storage;
        end_ = storage + count;
        capacityEnd_ = storage + cap;
    }

    void copyFrom(const Array& other) {
        const std::size_t n = other.size();
        if (n == 0) {
            return;
        }
        T* storage = static_cast<T*>(ArrayStorage::allocate(n, sizeof(T), category_));
        if (storage == nullptr) {
            return;
        }
        copyElements(other.begin_, other.end_, storage);
        if (category_ == ArrayStorage::VIEW_CATEGORY) {
            category_ = 0;
        }
        begin_ = storage;
        end_ = capacityEnd_ = storage + n;
    }

    bool resizeFilled(std::size_t n, const T& fill) {
        while (size() < n) {
            new (end_) T(fill);
            ++end_;
        }
        return true;
    }

    T* begin_;
    T* end_;
    T* capacityEnd_;
    int category_;
};

}  // namespace orvo
