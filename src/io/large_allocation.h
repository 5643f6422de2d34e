// Memory for large working arrays (sort records, read-back windows).
//
// A fresh page costs a fault when first touched, and faults are what large
// buffers mostly cost here: an allocation of LargeAllocator's threshold or
// more is mapped straight from the system with transparent huge pages asked
// for (one fault per 2 MiB instead of per 4 KiB) and returned to it when
// freed. Smaller ones come from the ordinary heap.
#pragma once

#include <cstddef>
#include <new>
#include <span>
#include <type_traits>

namespace tess {

/// Bytes from which an allocation is mapped with huge pages asked for.
constexpr size_t kLargeAllocationBytes = size_t{1} << 20;
constexpr size_t kHugePageBytes = size_t{2} << 20;

/// `bytes` of memory; from kLargeAllocationBytes on a mapping of its own,
/// in whole pages. Throws std::bad_alloc when the system has no memory or
/// no addresses left.
void* AllocateLarge(size_t bytes);
/// Gives back all that AllocateLarge or GrowLarge took for `bytes` (the
/// size asked for), the pages that rounding added included.
void FreeLarge(void* memory, size_t bytes);
/// Gives back to the system the whole pages within [memory, memory + bytes)
/// of a mapping of AllocateLarge; their contents are lost (they read as
/// zeros if touched again).
void ReleaseLargePages(void* memory, size_t bytes);
/// Moves a mapping of AllocateLarge to `newBytes` (at least
/// kLargeAllocationBytes) without copying its pages; contents are kept.
/// On failure (std::bad_alloc) the old mapping stays as it was.
void* GrowLarge(void* memory, size_t oldBytes, size_t newBytes);

/// A byte buffer that keeps its memory from use to use; its contents are
/// not kept when it grows.
class LargeBuffer {
 public:
  LargeBuffer() = default;
  ~LargeBuffer() { FreeLarge(data_, size_); }
  LargeBuffer(const LargeBuffer&) = delete;
  LargeBuffer& operator=(const LargeBuffer&) = delete;

  /// At least `bytes` bytes, not initialized.
  char* Reserve(size_t bytes) {
    if (bytes > size_) {
      FreeLarge(data_, size_);
      data_ = nullptr;
      size_ = 0;
      data_ = static_cast<char*>(AllocateLarge(bytes));
      size_ = bytes;
    }
    return data_;
  }
  char* data() const { return data_; }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
};

/// A growing array of plain values whose pages are mapped straight from the
/// system: growing it moves the pages rather than copying them, so it never
/// holds two copies of its contents at once, however little was known of
/// its final size.
template <typename T>
class LargeArray {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  LargeArray() = default;
  ~LargeArray() { FreeLarge(data_, capacity_ * sizeof(T)); }
  LargeArray(const LargeArray&) = delete;
  LargeArray& operator=(const LargeArray&) = delete;

  void push_back(const T& value) {
    if (size_ == capacity_) Grow(size_ + 1);
    data_[size_++] = value;
  }
  void reserve(size_t count) {
    if (count > capacity_) Grow(count);
  }
  void clear() { size_ = 0; }
  /// Keeps the first `count` entries (count <= size()).
  void resize(size_t count) { size_ = count; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T* data() { return data_; }
  const T* data() const { return data_; }
  T& operator[](size_t i) { return data_[i]; }
  const T& operator[](size_t i) const { return data_[i]; }
  T* begin() { return data_; }
  T* end() { return data_ + size_; }
  const T* begin() const { return data_; }
  const T* end() const { return data_ + size_; }
  /// Entries [first, first + count).
  std::span<T> Part(size_t first, size_t count) { return {data_ + first, count}; }

 private:
  void Grow(size_t wanted) {
    // One huge page to start with (so never below the threshold: the array
    // is always a mapping of its own), then twice as many: the mapping stays
    // within whole huge pages, and the pages that move when it grows never
    // leave a small page where a huge one should start.
    size_t capacity = capacity_ == 0 ? kHugePageBytes / sizeof(T) : capacity_;
    while (capacity < wanted) capacity *= 2;
    data_ = data_ == nullptr ? static_cast<T*>(AllocateLarge(capacity * sizeof(T)))
                             : static_cast<T*>(GrowLarge(data_, capacity_ * sizeof(T), capacity * sizeof(T)));
    capacity_ = capacity;
  }

  T* data_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

template <typename T>
struct LargeAllocator {
  using value_type = T;

  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) {}

  T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateLarge(n * sizeof(T)));
  }
  void deallocate(T* p, size_t n) { FreeLarge(p, n * sizeof(T)); }

  template <typename U>
  bool operator==(const LargeAllocator<U>&) const {
    return true;
  }
};

}  // namespace tess
