#include "sorter/radix_sort.h"

#include <utility>

namespace tess {

namespace {

// BitValue(k) = 2^(31-k) and PrefixMask(k) = the bits 30 down to 32-k:
// the examined bit of pass k and the bits above it (sign bit excluded).
int32_t BitValue(int k) { return k == 0 ? 0 : static_cast<int32_t>(1u << (31 - k)); }
int32_t PrefixMask(int k) {
  return k <= 1 ? 0 : static_cast<int32_t>(0x7FFFFFFFu & ~((1u << (32 - k)) - 1u));
}

}  // namespace

// One pass per bit, from bit 30 of word 1 down to bit 0 of word 4. Within
// each group of records equal in all bits examined so far (a contiguous run),
// the records with the bit clear are moved to the front by exchange; records
// p..m-1 of the group always have the bit set. Groups are recognised by
// comparing whole earlier key words, so a word whose sign bit differs (a -1
// key word) separates groups in the later passes, exactly as the described
// algorithm does.
void RadixSort(SortRecords& r) {
  const size_t n = r.Count();
  std::vector<int32_t>* words[4] = {&r.SortKey1, &r.SortKey2, &r.SortKey3, &r.SortKey4};
  for (int w = 0; w < 4; ++w) {
    const std::vector<int32_t>& key = *words[w];
    for (int k = 1; k <= 31; ++k) {
      const int32_t bit = BitValue(k);
      const int32_t prefix = PrefixMask(k);
      size_t p = 0;
      for (size_t m = 0; m < n; ++m) {
        const int32_t v = key[m];
        bool sameGroup = (key[p] & prefix) == (v & prefix);
        for (int e = 0; sameGroup && e < w; ++e) sameGroup = (*words[e])[p] == (*words[e])[m];
        if (!sameGroup) p = m;
        if ((v & bit) == 0) {
          if (m != p) {
            for (int e = w; e < 4; ++e) std::swap((*words[e])[m], (*words[e])[p]);
            std::swap(r.LinePosition[m], r.LinePosition[p]);
          }
          ++p;
        }
      }
    }
  }
}

}  // namespace tess
