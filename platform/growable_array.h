// The engine's collection type: pointer, int32 count, int32 capacity; appending to a full
// array doubles the capacity (0 becomes 1). A failed growth drops the new element and leaves
// the array as it was -- it never throws and never aborts the host.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "platform/large_block.h"

namespace corvane {

template <typename T>
class GrowableArray {
 public:
  GrowableArray() = default;
  GrowableArray(const GrowableArray&) = delete;
  GrowableArray& operator=(const GrowableArray&) = delete;
  GrowableArray(GrowableArray&& o) noexcept : data_(o.data_), count_(o.count_), capacity_(o.capacity_) {
    o.data_ = nullptr;
    o.count_ = o.capacity_ = 0;
  }
  GrowableArray& operator=(GrowableArray&& o) noexcept {
    if (this != &o) {
      Clear();
      std::swap(data_, o.data_);
      std::swap(count_, o.count_);
      std::swap(capacity_, o.capacity_);
    }
    return *this;
  }
  ~GrowableArray() { Clear(); }

  std::int32_t count() const { return count_; }
  std::int32_t capacity() const { return capacity_; }
  bool empty() const { return count_ == 0; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  T& operator[](std::int32_t i) { return data_[i]; }
  const T& operator[](std::int32_t i) const { return data_[i]; }
  T* begin() { return data_; }
  T* end() { return data_ + count_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + count_; }

  // True when index is a valid 0-based position.
  bool InRange(std::int32_t i) const { return i >= 0 && i < count_; }

  // Appends by moving; returns false (and leaves the array unchanged) if storage cannot grow.
  bool Append(T value) {
    if (count_ == capacity_ && !Grow()) return false;
    new (data_ + count_) T(std::move(value));
    ++count_;
    return true;
  }

  // Makes room for `extra` more elements without changing the count (bulk appends).
  bool Reserve(std::int32_t total) {
    if (total <= capacity_) return true;
    return Reallocate(total);
  }

  // Appends n plain values that fill(T* first) writes into room the array already has (see
  // Reserve). Returns false, changing nothing, when n < 0 or they do not fit.
  template <typename Fill>
  bool AppendInPlace(std::int32_t n, Fill&& fill) {
    static_assert(std::is_trivially_copyable_v<T>, "plain values only");
    if (n < 0 || n > capacity_ - count_) return false;
    fill(data_ + count_);
    count_ += n;
    return true;
  }

  // Appends n zero-filled plain values into room the array already has (see Reserve), as
  // AppendInPlace does. Storage past the count of a mapped block is still the zeros the
  // system handed out (nothing writes past the count), so those pages are not touched here:
  // on a million points that halves the fresh pages an add faults in.
  bool AppendZeroed(std::int32_t n) {
    static_assert(std::is_trivially_copyable_v<T>, "plain values only");
    if (n < 0 || n > capacity_ - count_) return false;
    if (!(kLargeBlocksComeZeroed && IsLarge(capacity_)))
      std::memset(static_cast<void*>(data_ + count_), 0, Bytes(n));
    count_ += n;
    return true;
  }

  // Gives back the room beyond max(count, total) elements of plain values. Returns false
  // (and keeps the larger block, which holds everything still) when the smaller one cannot
  // be had.
  bool ShrinkTo(std::int32_t total) {
    static_assert(std::is_trivially_copyable_v<T>, "plain values only");
    if (total < count_) total = count_;
    if (total >= capacity_) return true;
    if (total == 0) {
      Clear();
      return true;
    }
    void* p;
    if (IsLarge(total)) {
      p = ResizeLargeBlock(data_, Bytes(capacity_), Bytes(total));
    } else if (!IsLarge(capacity_)) {
      p = std::realloc(data_, Bytes(total));
    } else {
      p = std::malloc(Bytes(total));
      if (p && count_ > 0) std::memcpy(p, data_, Bytes(count_));
      if (p) FreeLargeBlock(data_, Bytes(capacity_));
    }
    if (!p) return false;
    data_ = static_cast<T*>(p);
    capacity_ = total;
    return true;
  }

  // Changes the count of plain values to n <= capacity; new elements are not initialised.
  void SetCount(std::int32_t n) {
    static_assert(std::is_trivially_copyable_v<T>, "plain values only");
    if (n >= 0 && n <= capacity_) count_ = n;
  }

  // Destroys every element and frees the block: count and capacity become 0.
  void Clear() {
    for (std::int32_t i = 0; i < count_; ++i) data_[i].~T();
    if (IsLarge(capacity_)) {
      FreeLargeBlock(data_, Bytes(capacity_));
    } else {
      std::free(data_);
    }
    data_ = nullptr;
    count_ = capacity_ = 0;
  }

 private:
  bool Grow() {
    if (capacity_ >= (INT32_MAX / 2)) return false;
    return Reallocate(capacity_ == 0 ? 1 : capacity_ * 2);
  }

  bool Reallocate(std::int32_t newCapacity) {
    if (static_cast<std::size_t>(newCapacity) > SIZE_MAX / sizeof(T)) return false;
    const std::size_t bytes = Bytes(newCapacity);
    if constexpr (std::is_trivially_copyable_v<T>) {
      void* p;
      if (!IsLarge(newCapacity)) {
        p = std::realloc(data_, bytes);
      } else if (IsLarge(capacity_)) {
        p = ResizeLargeBlock(data_, Bytes(capacity_), bytes);
      } else {
        p = AllocateLargeBlock(bytes);
        if (p && count_ > 0) std::memcpy(p, data_, Bytes(count_));
        if (p) std::free(data_);
      }
      if (!p) return false;
      data_ = static_cast<T*>(p);
    } else {
      T* p = static_cast<T*>(std::malloc(bytes));
      if (!p) return false;
      for (std::int32_t i = 0; i < count_; ++i) {
        new (p + i) T(std::move(data_[i]));
        data_[i].~T();
      }
      std::free(data_);
      data_ = p;
    }
    capacity_ = newCapacity;
    return true;
  }

  static std::size_t Bytes(std::int32_t n) { return static_cast<std::size_t>(n) * sizeof(T); }
  // Large arrays of plain values (the point arrays) live in large blocks; the rest on the heap.
  static bool IsLarge(std::int32_t capacity) {
    return std::is_trivially_copyable_v<T> && Bytes(capacity) >= kLargeBlockBytes;
  }

  T* data_ = nullptr;
  std::int32_t count_ = 0;
  std::int32_t capacity_ = 0;
};

}  // namespace corvane
