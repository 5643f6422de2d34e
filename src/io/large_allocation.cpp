#include "io/large_allocation.h"

#include <cstdint>
#include <cstdlib>
#include <unistd.h>
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

void ReleaseLargePages(void* memory, size_t bytes) {
  const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  const uintptr_t from = (reinterpret_cast<uintptr_t>(memory) + page - 1) / page * page;
  const uintptr_t to = (reinterpret_cast<uintptr_t>(memory) + bytes) / page * page;
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
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
