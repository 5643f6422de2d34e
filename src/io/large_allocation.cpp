#include "io/large_allocation.h"

#include <cstdlib>
#include <sys/mman.h>

namespace tess {

void* AllocateLarge(size_t bytes) {
  if (bytes < kLargeAllocationBytes) {
    if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
    throw std::bad_alloc();
  }
  void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) throw std::bad_alloc();
  // Advice only: without huge pages the mapping works as it is.
  ::madvise(p, bytes, MADV_HUGEPAGE);
  return p;
}

void* GrowLarge(void* memory, size_t oldBytes, size_t newBytes) {
  void* p = ::mremap(memory, oldBytes, newBytes, MREMAP_MAYMOVE);
  if (p == MAP_FAILED) throw std::bad_alloc();
  ::madvise(p, newBytes, MADV_HUGEPAGE);
  return p;
}

void FreeLarge(void* memory, size_t bytes) {
  if (memory == nullptr) return;
  if (bytes < kLargeAllocationBytes) {
    std::free(memory);
  } else {
    ::munmap(memory, bytes);
  }
}

}  // namespace tess
