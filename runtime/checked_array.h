// A one-dimensional array with 1-based, checked element access: an index below 1 is runtime
// error 4, an index above the element count runtime error 1. Portable.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "runtime/runtime_error.h"

namespace rt {

template <class T>
class CheckedArray {
  public:
    CheckedArray() = default;
    CheckedArray(std::initializer_list<T> items) : items_(items) {}
    explicit CheckedArray(std::vector<T> items) : items_(std::move(items)) {}

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }

    T& At(int index) { return items_[CheckedOffset(index)]; }
    const T& At(int index) const { return items_[CheckedOffset(index)]; }

    void Append(T item) { items_.push_back(std::move(item)); }

    // Gives the array `count` elements (new ones value-initialised); a negative count is
    // runtime error 10.
    void Redefine(int count) {
        if (count < 0) RaiseRuntimeError(kErrorRedefineSize);
        items_.resize(static_cast<std::size_t>(count));
    }

    const std::vector<T>& Items() const { return items_; }
    std::vector<T>& Items() { return items_; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    friend bool operator==(const CheckedArray&, const CheckedArray&) = default;

  private:
    std::size_t CheckedOffset(int index) const {
        if (index < 1) RaiseRuntimeError(kErrorIndexBelowOne);
        if (index > Count()) RaiseRuntimeError(kErrorIndexAboveRange);
        return static_cast<std::size_t>(index - 1);
    }

    std::vector<T> items_;
};

}  // namespace rt
