#pragma once

#include <cstddef>

#include "core/containers/Array.h"
#include "core/memory/ZequinAllocation.h"

namespace orvo {

// Doubly linked list of heap copies of its elements (category 0) with a sentinel node that
// stands for the end. A node index keeps every node in an array, so that clearing walks the
// array instead of the links and removal stays constant time.
template <class T>
class List {
public:
    struct Container {
        Container* prev;
        T* value;
        Container* next;
        unsigned index;
    };

    class iterator {
    public:
        iterator() : node_(nullptr) {}
        explicit iterator(Container* node) : node_(node) {}
        T& operator*() const { return *node_->value; }
        T* operator->() const { return node_->value; }
        iterator& operator++() {
            node_ = node_->next;
            return *this;
        }
        iterator& operator--() {
            node_ = node_->prev;
            return *this;
        }
        // Steps n nodes back (n > 0) or -n nodes forward (n < 0).
        iterator operator-(int n) const {
            Container* node = node_;
            for (; n > 0 && node != nullptr; --n) {
                node = node->prev;
            }
            for (; n < 0 && node != nullptr; ++n) {
                node = node->next;
            }
            return iterator(node);
        }
        bool operator==(const iterator& other) const { return node_ == other.node_; }
        bool operator!=(const iterator& other) const { return node_ != other.node_; }
        Container* node() const { return node_; }

    private:
        Container* node_;
    };

    List() : nodes_(0), sentinel_(newSentinel()), head_(sentinel_), tail_(sentinel_) {}

    List(const List& other) : List() { append(other); }

    List& operator=(const List& other) {
        if (this != &other) {
            clear();
            append(other);
        }
        return *this;
    }

    ~List() {
        freeNodes();
        delete sentinel_;
    }

    // False (and nothing added) when category 0 cannot give the node or the copy, or could not
    // give the end node when the list was made.
    bool pushBack(const T& element) {
        static_assert(plainDeleteFreesCategorised<T>,
                      "List cannot hold over-aligned types: their copies' delete would not match");
        if (sentinel_ == nullptr) {
            return false;
        }
        Container* node = new (0, ZequinAllocation) Container{nullptr, nullptr, nullptr, 0};
        if (node == nullptr) {
            return false;
        }
        node->value = new (0, ZequinAllocation) T(element);
        node->index = static_cast<unsigned>(nodes_.size());
        if (node->value == nullptr || !nodes_.pushBack(node)) {
            delete node->value;
            delete node;
            return false;
        }
        node->next = sentinel_;
        if (head_ == sentinel_) {
            head_ = node;
            node->prev = nullptr;
        } else {
            node->prev = tail_;
            tail_->next = node;
        }
        tail_ = node;
        sentinel_->prev = node;
        return true;
    }

    // Returns the node after the removed one; removing the end is a no-op.
    iterator remove(iterator position) {
        Container* node = position.node();
        if (node == nullptr || node == sentinel_) {
            return end();
        }
        Container* next = node->next;
        Container* prev = node->prev;
        if (prev != nullptr) {
            prev->next = next;
        }
        next->prev = prev;
        if (node == head_) {
            head_ = next;
        }
        if (node == tail_) {
            tail_ = prev;
            if (tail_ == nullptr) {
                tail_ = head_;
            }
        }
        delete node->value;
        Container* last = nodes_.at(nodes_.size() - 1);
        nodes_[node->index] = last;
        last->index = node->index;
        nodes_.popBack();
        delete node;
        return iterator(next);
    }

    void clear() {
        freeNodes();
        head_ = tail_ = sentinel_;
        if (sentinel_ != nullptr) {
            sentinel_->prev = nullptr;
        }
        nodes_.clear();
    }

    iterator begin() const { return iterator(head_); }
    iterator end() const { return iterator(sentinel_); }
    std::size_t size() const { return nodes_.size(); }
    bool empty() const { return head_ == sentinel_; }

private:
    static Container* newSentinel() {
        Container* sentinel = new (0, ZequinAllocation) Container{nullptr, nullptr, nullptr, 0};
        if (sentinel != nullptr) {
            sentinel->next = sentinel;
        }
        return sentinel;
    }

    void append(const List& other) {
        for (iterator it = other.begin(); it != other.end(); ++it) {
            pushBack(*it);
        }
    }

    void freeNodes() {
        for (Container* node : nodes_) {
            delete node->value;
            delete node;
        }
    }

    Array<Container*> nodes_;
    Container* sentinel_;
    Container* head_;
    Container* tail_;
};

}  // namespace orvo
