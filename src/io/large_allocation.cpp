#include "io/large_allocation.h"

#include <cstdint>
#include <cstdlib>
#include <unistd.h>
#include <sys/mman.h>

namespace tess {

namespace {

size_t PageBytes() {
  static const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  return page;
}

// The system maps and unmaps whole pages only, and refuses an unmap that
// starts inside one: every size that reaches it is rounded up to pages.
size_t WholePages(size_t bytes) { return (bytes + PageBytes() - 1) / PageBytes() * PageBytes(); }

// A mapping of `bytes` (whole pages) that starts on a huge page boundary, so
// that every whole huge page of it can be one (the system aligns only some
// mappings). The padding on either side goes back at once.
void* MapAligned(size_t bytes) {
  const size_t padded = bytes + kHugePageBytes;
  char* p = static_cast<char*>(::mmap(nullptr, padded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  if (p == MAP_FAILED) throw std::bad_alloc();
  const uintptr_t address = reinterpret_cast<uintptr_t>(p);
  char* aligned = p + ((kHugePageBytes - address % kHugePageBytes) % kHugePageBytes);
  char* end = aligned + bytes;
  // Trimming splits the mapping, which fails at the system's limit of
  // mappings: then the allocation fails whole.
  if ((aligned > p && ::munmap(p, static_cast<size_t>(aligned - p)) != 0) ||
      (p + padded > end && ::munmap(end, static_cast<size_t>(p + padded - end)) != 0)) {
    ::munmap(p, padded);
    throw std::bad_alloc();
  }
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
  return MapAligned(WholePages(bytes));
}

void* GrowLarge(void* memory, size_t oldBytes, size_t newBytes) {
  // The old pages move to the start of a new aligned mapping, uncopied; the
  // old range is left unmapped by the move.
  const size_t oldPages = WholePages(oldBytes);
  const size_t newPages = WholePages(newBytes);
  void* grown = MapAligned(newPages);
  if (::mremap(memory, oldPages, oldPages, MREMAP_MAYMOVE | MREMAP_FIXED, grown) == MAP_FAILED) {
    FreeLarge(grown, newPages);
    throw std::bad_alloc();
  }
  return grown;
}

void ReleaseLargePages(void* memory, size_t bytes) {
  const uintptr_t page = PageBytes();
  const uintptr_t from = (reinterpret_cast<uintptr_t>(memory) + page - 1) / page * page;
  const uintptr_t to = (reinterpret_cast<uintptr_t>(memory) + bytes) / page * page;
  // Advice on whole pages of a mapping of our own: were it refused, the
  // pages would simply stay, still usable.
  if (to > from) static_cast<void>(::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED));
}

void FreeLarge(void* memory, size_t bytes) {
  if (memory == nullptr) return;
  if (bytes < kLargeAllocationBytes) {
    std::free(memory);
    return;
  }
  const size_t pages = WholePages(bytes);
  // Unmapping a range that the system merged with a neighbour splits it,
  // which fails at its limit of mappings: the memory still goes back, only
  // the addresses stay taken.
  if (::munmap(memory, pages) != 0) static_cast<void>(::madvise(memory, pages, MADV_DONTNEED));
}

}  // namespace tess
