#include "io/large_allocation.h"

#include <cstdint>
#include <cstdlib>
#include <unistd.h>
#include <sys/mman.h>

namespace tess {

namespace {

// A mapping of `bytes` that starts on a huge page boundary, so that every
// whole huge page of it can be one (the system aligns only some mappings).
void* MapAligned(size_t bytes) {
  const size_t padded = bytes + kHugePageBytes;
  char* p = static_cast<char*>(::mmap(nullptr, padded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  if (p == MAP_FAILED) throw std::bad_alloc();
  const uintptr_t address = reinterpret_cast<uintptr_t>(p);
  char* aligned = p + ((kHugePageBytes - address % kHugePageBytes) % kHugePageBytes);
  if (aligned > p) ::munmap(p, static_cast<size_t>(aligned - p));
  char* end = aligned + bytes;
  if (p + padded > end) ::munmap(end, static_cast<size_t>(p + padded - end));
  // Advice only: without huge pages the mapping works as it is.
  ::madvise(aligned, bytes, MADV_HUGEPAGE);
  return aligned;
}

}  // namespace

void* AllocateLarge(size_t bytes) {
  if (bytes < kLargeAllocationBytes) {
    if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
    throw std::bad_alloc();
  }
  return MapAligned(bytes);
}

void* GrowLarge(void* memory, size_t oldBytes, size_t newBytes) {
  // The old pages move to the start of a new aligned mapping, uncopied.
  void* grown = MapAligned(newBytes);
  if (::mremap(memory, oldBytes, oldBytes, MREMAP_MAYMOVE | MREMAP_FIXED, grown) == MAP_FAILED) {
    ::munmap(grown, newBytes);
    throw std::bad_alloc();
  }
  return grown;
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
